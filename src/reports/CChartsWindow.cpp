#include "reports/CChartsWindow.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/dcsvg.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/settings.h>

#include "records/file_io.h"
#include "ui/CAccessible.h"
#include "ui/CUiSupport.h"

namespace {

using quorvel::ChartChance;
using quorvel::ChartInnings;
using quorvel::MatchCharts;

constexpr int kOvers = quorvel::kOversPerInnings;

struct Palette {
    wxColour back, text, grid;
    wxColour side[2]; // by the side's index into the match's teams
};

wxColour blend(const wxColour& a, const wxColour& b, double share) {
    auto mix = [share](int x, int y) { return static_cast<unsigned char>(x + (y - x) * share); };
    return wxColour(mix(a.Red(), b.Red()), mix(a.Green(), b.Green()), mix(a.Blue(), b.Blue()));
}

// The desktop's own window colours, so that the charts read in light and dark themes alike,
// and side colours bright enough for either.
Palette palette() {
    Palette p;
    p.back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    p.text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    p.grid = blend(p.back, p.text, 0.18);
    const bool dark = p.back.GetLuminance() < 0.5;
    p.side[0] = dark ? wxColour(110, 168, 255) : wxColour(31, 90, 180);
    p.side[1] = dark ? wxColour(255, 166, 64) : wxColour(204, 102, 0);
    return p;
}

// The step of a scale of about `ticks` divisions up to `range`: 1, 2 or 5 times a power of ten.
int niceStep(int range, int ticks) {
    const double raw = std::max(1.0, static_cast<double>(range) / ticks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw)
            return static_cast<int>(factor * power);
    return static_cast<int>(10 * power);
}

// A plot area with overs along (an innings', or the match's) and runs or a percentage up.
struct Plot {
    wxRect area;
    int top = 1;  // the highest figure on the scale
    int step = 1; // between its labelled lines
    int span = kOvers;

    Plot(const wxRect& rect, int most, int ticks, int overs = kOvers) : area(rect), span(overs) {
        step = niceStep(std::max(most, 1), ticks);
        top = std::max(step, (most + step - 1) / step * step);
    }
    int x(double overs) const {
        return area.x + static_cast<int>(std::lround(overs * area.width / span));
    }
    int y(double runs) const {
        const double held = std::clamp(runs, 0.0, static_cast<double>(top));
        return area.GetBottom() - static_cast<int>(std::lround(held * area.height / top));
    }
};

wxString sideName(const ChartInnings& innings, int k) {
    if (!innings.side.empty())
        return toWx(innings.side);
    return k == 0 ? "First innings" : "Second innings";
}

void drawFrame(wxDC& dc, const Plot& plot, const Palette& p, const wxString& title,
               const wxString& up = "Runs", const wxString& along = "Overs") {
    const int h = dc.GetCharHeight();
    dc.SetTextForeground(p.text);
    dc.SetPen(wxPen(p.grid));
    for (int runs = 0; runs <= plot.top; runs += plot.step) {
        const int y = plot.y(runs);
        dc.DrawLine(plot.area.x, y, plot.area.GetRight(), y);
        const wxString label = wxString::Format("%d", runs);
        const wxSize extent = dc.GetTextExtent(label);
        dc.DrawText(label, plot.area.x - extent.GetWidth() - h / 3, y - extent.GetHeight() / 2);
    }
    dc.SetPen(wxPen(p.text));
    for (int over = 0; over <= plot.span; over += plot.span > kOvers ? 10 : 5) {
        const int x = plot.x(over);
        dc.DrawLine(x, plot.area.GetBottom(), x, plot.area.GetBottom() + h / 3);
        const wxString label = wxString::Format("%d", over);
        dc.DrawText(label, x - dc.GetTextExtent(label).GetWidth() / 2,
                    plot.area.GetBottom() + h / 3);
    }
    dc.DrawLine(plot.area.x, plot.area.y, plot.area.x, plot.area.GetBottom() + 1);
    dc.DrawLine(plot.area.x, plot.area.GetBottom(), plot.area.GetRight() + 1,
                plot.area.GetBottom());

    if (!along.empty())
        dc.DrawText(along, plot.area.x + (plot.area.width - dc.GetTextExtent(along).GetWidth()) / 2,
                    plot.area.GetBottom() + h * 4 / 3);
    dc.DrawRotatedText(up, plot.area.x - dc.GetTextExtent("0000").GetWidth() - h * 3 / 2,
                       plot.area.y + (plot.area.height + dc.GetTextExtent(up).GetWidth()) / 2, 90);
    wxFont bold = dc.GetFont();
    bold.MakeBold();
    const wxFont plain = dc.GetFont();
    dc.SetFont(bold);
    dc.DrawText(title, plot.area.x, plot.area.y - h * 3 / 2);
    dc.SetFont(plain);
}

void drawWicket(wxDC& dc, int x, int y, int radius, const wxColour& fill, const Palette& p) {
    dc.SetPen(wxPen(p.text));
    dc.SetBrush(wxBrush(fill));
    dc.DrawCircle(x, y, radius);
}

// The worm legend's target line: the chase's, so only once the second innings is under way (as
// its line on the worm); empty before.
wxString legendTarget(const MatchCharts& charts) {
    if (!charts.target || charts.innings[1].empty())
        return wxString();
    return wxString::Format("Target %d", *charts.target);
}

// One line a side (its colour, name and score), the wicket marker and the target, on a box of
// the background's colour at the plot's top left.
void drawLegend(wxDC& dc, const Plot& plot, const Palette& p, const MatchCharts& charts,
                bool withTarget) {
    const int h = dc.GetCharHeight();
    wxString texts[4];
    for (int k = 0; k < 2; ++k) {
        const ChartInnings& innings = charts.innings[k];
        texts[k] = sideName(innings, k);
        if (!innings.empty())
            texts[k] += wxString::Format("  %d/%d", innings.runs(), innings.wicketsDown());
    }
    texts[2] = "wicket";
    texts[3] = withTarget ? legendTarget(charts) : wxString();
    const bool target = !texts[3].empty();
    const int lines = target ? 4 : 3;
    int widest = 0;
    for (int line = 0; line < lines; ++line)
        widest = std::max(widest, dc.GetTextExtent(texts[line]).GetWidth());

    const int x = plot.area.x + h / 2;
    int y = plot.area.y + h / 4;
    dc.SetPen(wxPen(p.grid));
    dc.SetBrush(wxBrush(p.back));
    dc.DrawRectangle(x - h / 4, y - h / 8, widest + h * 2, lines * h + h / 4);
    for (int k = 0; k < 2; ++k) {
        const wxColour colour = p.side[charts.innings[k].battingSide == 1 ? 1 : 0];
        dc.SetPen(wxPen(colour));
        dc.SetBrush(wxBrush(colour));
        dc.DrawRectangle(x, y + h / 4, h, h / 2);
        dc.DrawText(texts[k], x + h * 3 / 2, y);
        y += h;
    }
    drawWicket(dc, x + h / 2, y + h / 2, std::max(2, h / 4), p.back, p);
    dc.DrawText(texts[2], x + h * 3 / 2, y);
    y += h;
    if (target) {
        dc.SetPen(
            wxPen(p.side[charts.innings[1].battingSide == 1 ? 1 : 0], 1, wxPENSTYLE_SHORT_DASH));
        dc.DrawLine(x, y + h / 2, x + h, y + h / 2);
        dc.DrawText(texts[3], x + h * 3 / 2, y);
    }
}

void drawWorm(wxDC& dc, const wxRect& area, const Palette& p, const MatchCharts& charts) {
    const int most = std::max({charts.mostRuns(), charts.target.value_or(0), 50});
    const Plot plot(area, most, 6);
    drawFrame(dc, plot, p, "Worm: runs as the innings went");
    const int radius = std::max(2, dc.GetCharHeight() / 4);
    if (charts.target && !charts.innings[1].empty()) {
        dc.SetPen(
            wxPen(p.side[charts.innings[1].battingSide == 1 ? 1 : 0], 1, wxPENSTYLE_SHORT_DASH));
        dc.DrawLine(plot.area.x, plot.y(*charts.target), plot.area.GetRight(),
                    plot.y(*charts.target));
    }
    for (const ChartInnings& innings : charts.innings) {
        if (innings.empty())
            continue;
        const wxColour colour = p.side[innings.battingSide == 1 ? 1 : 0];
        std::vector<wxPoint> points{{plot.x(0), plot.y(0)}};
        for (std::size_t over = 0; over < innings.overs.size(); ++over) {
            const auto& row = innings.overs[over];
            points.emplace_back(plot.x(static_cast<double>(over) + row.balls / 6.0),
                                plot.y(row.totalRuns));
        }
        dc.SetPen(wxPen(colour, std::max(2, dc.GetCharHeight() / 6)));
        dc.DrawLines(static_cast<int>(points.size()), points.data());
        for (const auto& wicket : innings.wickets)
            drawWicket(dc, plot.x(wicket.over + wicket.ball / 6.0), plot.y(wicket.totalRuns),
                       radius, colour, p);
    }
    drawLegend(dc, plot, p, charts, true);
}

void drawManhattan(wxDC& dc, const wxRect& area, const Palette& p, const MatchCharts& charts) {
    const Plot plot(area, std::max(charts.mostOverRuns(), 12), 4);
    drawFrame(dc, plot, p, "Manhattan: runs in each over");
    const int radius = std::max(2, dc.GetCharHeight() / 4);
    const double slot = static_cast<double>(plot.area.width) / kOvers;
    for (int k = 0; k < 2; ++k) {
        const ChartInnings& innings = charts.innings[k];
        const wxColour colour = p.side[innings.battingSide == 1 ? 1 : 0];
        for (std::size_t over = 0; over < innings.overs.size(); ++over) {
            const auto& row = innings.overs[over];
            const int left =
                plot.x(static_cast<double>(over)) + static_cast<int>(slot * (0.1 + 0.4 * k));
            const int width = std::max(1, static_cast<int>(slot * 0.4));
            const int top = plot.y(row.runs);
            dc.SetPen(wxPen(colour));
            dc.SetBrush(wxBrush(colour));
            dc.DrawRectangle(left, top, width, plot.area.GetBottom() - top);
            for (int w = 0; w < std::min(row.wickets, quorvel::kBallsPerOver); ++w)
                drawWicket(dc, left + width / 2,
                           std::max(plot.area.y + radius, top - radius * (2 * w + 1) - 1), radius,
                           colour, p);
        }
    }
    drawLegend(dc, plot, p, charts, false);
}

// The name of a side by its index into the match's teams, from the innings it bats in.
wxString teamName(const MatchCharts& charts, int team) {
    for (const ChartInnings& innings : charts.innings)
        if (innings.battingSide == team && !innings.side.empty())
            return toWx(innings.side);
    return team == 0 ? "First side" : "Second side";
}

int percent(double share) {
    return static_cast<int>(std::lround(std::clamp(share, 0.0, 1.0) * 100));
}

// The latest chance of the side ahead (or of a tie, when that is likelier than either win),
// with its standard error: "India 63 % ± 1".
wxString chanceCaption(const MatchCharts& charts) {
    if (charts.chances.empty())
        return wxString();
    const ChartChance& last = charts.chances.back();
    const int ahead = last.win[1] > last.win[0] ? 1 : 0;
    if (last.tie > last.win[ahead])
        return wxString::Format(L"Tie %d %%", percent(last.tie));
    return wxString::Format(L"%s %d %% \u00B1 %d", teamName(charts, ahead),
                            percent(last.win[ahead]), percent(last.winError[ahead]));
}

// Each side's line in its colour and the tie's share shaded along the bottom, an innings at a
// time with the break dashed between them; the latest chance at the top right ("estimating..."
// beside it while more are being worked out) and the legend beside the axis's name, below the
// plot, where no line can hide behind it.
void drawChances(wxDC& dc, const wxRect& area, const Palette& p, const MatchCharts& charts) {
    const Plot plot(area, 100, 5, 2 * kOvers);
    drawFrame(dc, plot, p, "Chance of winning after each over", "Per cent", wxString());
    const int h = dc.GetCharHeight();
    const wxColour tieColour = blend(p.back, p.text, 0.3);
    dc.SetPen(wxPen(p.text, 1, wxPENSTYLE_SHORT_DASH));
    dc.DrawLine(plot.x(kOvers), plot.area.y, plot.x(kOvers), plot.area.GetBottom());
    dc.SetTextForeground(blend(p.back, p.text, 0.4));
    const wxString inningsNames[2] = {"First innings", "Second innings"};
    for (int innings = 0; innings < 2; ++innings)
        dc.DrawText(inningsNames[innings],
                    plot.x(kOvers * (innings + 0.5)) -
                        dc.GetTextExtent(inningsNames[innings]).GetWidth() / 2,
                    plot.area.y + h / 4);
    dc.SetTextForeground(p.text);

    for (int innings = 0; innings < 2; ++innings) {
        std::vector<ChartChance> segment;
        std::ranges::copy_if(charts.chances, std::back_inserter(segment),
                             [innings](const ChartChance& c) { return c.innings == innings; });
        if (segment.empty())
            continue;
        const auto x = [&plot, innings](const ChartChance& chance) {
            return plot.x(innings * kOvers + std::clamp(chance.overs, 0, kOvers));
        };
        std::vector<wxPoint> band;
        for (const ChartChance& chance : segment)
            band.emplace_back(x(chance), plot.y(chance.tie * 100));
        band.emplace_back(band.back().x, plot.area.GetBottom());
        band.emplace_back(band.front().x, plot.area.GetBottom());
        dc.SetPen(wxPen(tieColour));
        dc.SetBrush(wxBrush(tieColour));
        dc.DrawPolygon(static_cast<int>(band.size()), band.data());
        for (int team = 0; team < 2; ++team) {
            std::vector<wxPoint> line;
            for (const ChartChance& chance : segment)
                line.emplace_back(x(chance), plot.y(chance.win[team] * 100));
            dc.SetPen(wxPen(p.side[team], std::max(2, h / 6)));
            dc.SetBrush(wxBrush(p.side[team]));
            if (line.size() == 1)
                dc.DrawCircle(line[0], std::max(2, h / 4));
            else
                dc.DrawLines(static_cast<int>(line.size()), line.data());
        }
    }

    const wxString caption = chanceCaption(charts);
    const wxString estimating = charts.estimating ? wxString(L"estimating\u2026") : wxString();
    const int gap = caption.empty() || estimating.empty() ? 0 : h;
    wxFont bold = dc.GetFont();
    bold.MakeBold();
    const wxFont plain = dc.GetFont();
    dc.SetFont(bold);
    const int captionWidth = caption.empty() ? 0 : dc.GetTextExtent(caption).GetWidth();
    dc.SetFont(plain);
    const int estimatingWidth = estimating.empty() ? 0 : dc.GetTextExtent(estimating).GetWidth();
    const int from = plot.area.GetRight() - estimatingWidth - gap - captionWidth;
    dc.SetFont(bold);
    dc.DrawText(caption, from, plot.area.y - h * 3 / 2);
    dc.SetFont(plain);
    dc.SetTextForeground(blend(p.back, p.text, 0.55));
    dc.DrawText(estimating, from + captionWidth + gap, plot.area.y - h * 3 / 2);
    dc.SetTextForeground(p.text);

    const wxString along = "Overs of the match";
    const wxString names[3] = {teamName(charts, 0), teamName(charts, 1), "Tie"};
    int width = dc.GetTextExtent(along).GetWidth();
    for (const wxString& name : names)
        width += h * 7 / 2 + dc.GetTextExtent(name).GetWidth();
    int at = plot.area.x + (plot.area.width - width) / 2;
    const int y = plot.area.GetBottom() + h * 4 / 3;
    dc.DrawText(along, at, y);
    at += dc.GetTextExtent(along).GetWidth();
    for (int item = 0; item < 3; ++item) {
        at += h * 2;
        const wxColour colour = item < 2 ? p.side[item] : tieColour;
        dc.SetPen(wxPen(colour));
        dc.SetBrush(wxBrush(colour));
        dc.DrawRectangle(at, y + h / 4, h, h / 2);
        at += h * 3 / 2;
        dc.DrawText(names[item], at, y);
        at += dc.GetTextExtent(names[item]).GetWidth();
    }
}

} // namespace

CChartsWindow::CChartsWindow(wxWindow* parent)
    : wxFrame(parent, wxID_ANY, wxString(kTitle) + " - " + kAppName) {
    auto* file = new wxMenu;
    file->Append(wxID_SAVEAS, "Save &As...\tCtrl+S", "Save the charts as a PNG or SVG picture");
    file->AppendSeparator();
    file->Append(wxID_CLOSE, "&Close\tCtrl+W", "Close the charts");
    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    SetMenuBar(bar);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { saveAs(); }, wxID_SAVEAS);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_CLOSE);

    canvas_ = new wxWindow(this, wxID_ANY);
    canvas_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas_->Bind(wxEVT_PAINT, &CChartsWindow::onPaint, this);
    canvas_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        canvas_->Refresh();
        event.Skip();
    });
    // Three pictures one above the other, within the screen.
    SetMinClientSize(FromDIP(wxSize(480, 420)));
    const wxRect screen = wxDisplay(parent != nullptr ? parent : this).GetClientArea();
    const wxSize wanted = FromDIP(wxSize(760, 900));
    SetClientSize(std::min(wanted.GetWidth(), screen.GetWidth() * 9 / 10),
                  std::min(wanted.GetHeight(), screen.GetHeight() * 9 / 10));
    placeBeside(parent);
    nameForAssistiveTechnology();
}

void CChartsWindow::placeBeside(const wxWindow* owner) {
    if (owner == nullptr)
        return;
    const wxRect area = wxDisplay(owner).GetClientArea();
    const wxRect beside = owner->GetScreenRect();
    // Room for the window manager's borders, which neither window's rectangle includes.
    const int gap = FromDIP(16);
    const int least = std::max(GetMinSize().GetWidth(), 1);
    const int right = area.GetRight() - beside.GetRight() - gap;
    const int left = beside.GetLeft() - area.GetLeft() - gap;
    wxSize size = GetSize();
    int x = 0;
    // To the right where it fits, else to the left; where neither side has room, against the
    // screen's edge on the roomier side, covering as little of the owner as it can.
    if (right >= least || (left < least && right >= left)) {
        size.SetWidth(std::min(size.GetWidth(), std::max(right, least)));
        x = std::min(beside.GetRight() + gap, area.GetRight() + 1 - size.GetWidth());
    } else {
        size.SetWidth(std::min(size.GetWidth(), std::max(left, least)));
        x = std::max(beside.GetLeft() - gap - size.GetWidth(), area.GetLeft());
    }
    size.SetHeight(std::min(size.GetHeight(), area.GetHeight()));
    const int y =
        std::clamp(beside.GetTop(), area.GetTop(), area.GetBottom() + 1 - size.GetHeight());
    SetSize(x, y, size.GetWidth(), size.GetHeight());
}

void CChartsWindow::nameForAssistiveTechnology() {
    setAccessibleRole(canvas_, AccessibleRole::Image);
    setAccessibleName(canvas_, "Worm, Manhattan and chances of winning",
                      toWx(quorvel::chartsSummary(charts_)));
}

wxString CChartsWindow::summary() const { return toWx(quorvel::chartsSummary(charts_)); }

wxString CChartsWindow::chanceCaption() const { return ::chanceCaption(charts_); }

wxString CChartsWindow::legendTarget() const { return ::legendTarget(charts_); }

void CChartsWindow::showCharts(quorvel::MatchCharts charts) {
    charts_ = std::move(charts);
    nameForAssistiveTechnology();
    canvas_->Refresh();
}

void CChartsWindow::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(canvas_);
    draw(dc, canvas_->GetClientSize());
}

void CChartsWindow::draw(wxDC& dc, const wxSize& size) const {
    const Palette p = palette();
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    dc.SetPen(wxPen(p.back));
    dc.SetBrush(wxBrush(p.back));
    dc.DrawRectangle(0, 0, size.GetWidth(), size.GetHeight());

    const int h = dc.GetCharHeight();
    const int left = dc.GetTextExtent("0000").GetWidth() + h * 2;
    const int right = h;
    const int top = h * 2;
    const int bottom = h * 3;
    const int third = size.GetHeight() / 3;
    const wxRect worm(left, top, size.GetWidth() - left - right, third - top - bottom);
    const wxRect manhattan(left, third + top, worm.width, worm.height);
    const wxRect chances(left, 2 * third + top, worm.width,
                         size.GetHeight() - 2 * third - top - bottom);
    if (worm.width <= 0 || worm.height <= 0 || chances.height <= 0)
        return;
    drawWorm(dc, worm, p, charts_);
    drawManhattan(dc, manhattan, p, charts_);
    drawChances(dc, chances, p, charts_);
}

void CChartsWindow::saveAs() {
    const wxString filter = "PNG pictures (*.png)|*.png|SVG pictures (*.svg)|*.svg";
    // The default extension, for a name typed without one.
    const wxString path = askForSavePath(this, "Save As", "charts.png", filter, "png");
    if (path.empty())
        return;
    saveTo(path);
}

bool CChartsWindow::saveTo(const wxString& path) {
    const wxSize size = canvas_->GetClientSize();
    std::string bytes;
    // A window shrunk to nothing has no picture to save.
    if (size.GetWidth() > 0 && size.GetHeight() > 0) {
        wxLogNull quiet; // failures are told below, in the game's own words
        if (wxFileName(path).GetExt().Lower() == "svg") {
            const wxString temporary = wxFileName::CreateTempFileName("quorvel-charts");
            if (!temporary.empty()) {
                {
                    wxSVGFileDC svg(temporary, size.GetWidth(), size.GetHeight(), 96, GetTitle());
                    draw(svg, size);
                }
                quorvel::readWholeFile(std::string(temporary.fn_str()), bytes);
                wxRemoveFile(temporary);
            }
        } else {
            if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
                wxImage::AddHandler(new wxPNGHandler);
            wxBitmap bitmap(size);
            {
                wxMemoryDC memory(bitmap);
                draw(memory, size);
            }
            wxMemoryOutputStream out;
            if (bitmap.ConvertToImage().SaveFile(out, wxBITMAP_TYPE_PNG)) {
                bytes.resize(out.GetSize());
                out.CopyTo(bytes.data(), bytes.size());
            }
        }
    }
    std::optional<quorvel::FileError> error;
    if (bytes.empty())
        error = quorvel::FileError{quorvel::FileErrorKind::Generic, std::string(path.fn_str())};
    else
        error = quorvel::writeWholeFile(std::string(path.fn_str()), bytes);
    if (error) {
        showMessageBox(this, toWx(error->message()), wxICON_EXCLAMATION);
        return false;
    }
    return true;
}
