#include "ui/CAccessible.h"

#include <vector>

#include <wx/window.h>

#ifdef QUORVEL_GTK_ACCESSIBILITY
#include <gtk/gtk.h>
#endif

namespace {

#ifdef QUORVEL_GTK_ACCESSIBILITY

// The widgets assistive technology meets for a window: the outer one and, where wx draws or
// reads the control through another (a list's tree view inside its scrolled window, a combo
// box's entry), that one too.
std::vector<GtkWidget*> widgetsOf(wxWindow* window) {
    std::vector<GtkWidget*> widgets;
    if (window == nullptr)
        return widgets;
    if (GtkWidget* outer = window->GetHandle())
        widgets.push_back(outer);
    GtkWidget* inner = window->GetConnectWidget();
    if (inner != nullptr && (widgets.empty() || inner != widgets.front()))
        widgets.push_back(inner);
    // A check box with its text on the left is a box holding the check button.
    if (!widgets.empty() && GTK_IS_BOX(widgets.front())) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widgets.front()));
        for (GList* one = children; one != nullptr; one = one->next)
            if (GTK_IS_TOGGLE_BUTTON(one->data))
                widgets.push_back(GTK_WIDGET(one->data));
        g_list_free(children);
    }
    return widgets;
}

AtkObject* outerAccessible(wxWindow* window) {
    GtkWidget* widget = window != nullptr ? window->GetHandle() : nullptr;
    return widget != nullptr ? gtk_widget_get_accessible(widget) : nullptr;
}

AtkRole atkRole(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Dialog:
        return ATK_ROLE_DIALOG;
    case AccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case AccessibleRole::Image:
        return ATK_ROLE_IMAGE;
    case AccessibleRole::Notification:
        return ATK_ROLE_NOTIFICATION;
    case AccessibleRole::StatusBar:
        return ATK_ROLE_STATUSBAR;
    }
    return ATK_ROLE_UNKNOWN;
}

// Drops the labelled-by relations of an accessible object (among them the one the toolkit
// guesses when it is first asked).
void dropLabels(AtkObject* accessible) {
    AtkRelationSet* relations = atk_object_ref_relation_set(accessible);
    if (relations == nullptr)
        return;
    while (AtkRelation* relation =
               atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY))
        atk_relation_set_remove(relations, relation);
    g_object_unref(relations);
}

#endif

} // namespace

void setAccessibleName(wxWindow* window, const wxString& name, const wxString& description) {
#ifdef QUORVEL_GTK_ACCESSIBILITY
    const wxScopedCharBuffer nameText = name.utf8_str();
    const wxScopedCharBuffer descriptionText = description.utf8_str();
    for (GtkWidget* widget : widgetsOf(window)) {
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        if (accessible == nullptr)
            continue;
        // Setting the same text again would tell assistive technology of a change.
        const char* now = atk_object_get_name(accessible);
        if (now == nullptr || name != wxString::FromUTF8(now))
            atk_object_set_name(accessible, nameText.data());
        const char* told = atk_object_get_description(accessible);
        if (!description.empty() && (told == nullptr || description != wxString::FromUTF8(told)))
            atk_object_set_description(accessible, descriptionText.data());
    }
#else
    (void)window;
    (void)name;
    (void)description;
#endif
}

void setAccessibleRole(wxWindow* window, AccessibleRole role) {
#ifdef QUORVEL_GTK_ACCESSIBILITY
    if (AtkObject* accessible = outerAccessible(window))
        atk_object_set_role(accessible, atkRole(role));
#else
    (void)window;
    (void)role;
#endif
}

void setAccessibleLabel(wxWindow* control, wxWindow* label) {
#ifdef QUORVEL_GTK_ACCESSIBILITY
    AtkObject* labelAccessible = outerAccessible(label);
    if (labelAccessible == nullptr)
        return;
    for (GtkWidget* widget : widgetsOf(control)) {
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        if (accessible == nullptr)
            continue;
        dropLabels(accessible);
        atk_object_add_relationship(accessible, ATK_RELATION_LABELLED_BY, labelAccessible);
        atk_object_add_relationship(labelAccessible, ATK_RELATION_LABEL_FOR, accessible);
    }
#else
    (void)control;
    (void)label;
#endif
}

wxString accessibleName(wxWindow* window) {
#ifdef QUORVEL_GTK_ACCESSIBILITY
    if (AtkObject* accessible = outerAccessible(window))
        if (const char* name = atk_object_get_name(accessible))
            return wxString::FromUTF8(name);
#else
    (void)window;
#endif
    return wxString();
}

wxString accessibleDescription(wxWindow* window) {
#ifdef QUORVEL_GTK_ACCESSIBILITY
    if (AtkObject* accessible = outerAccessible(window))
        if (const char* description = atk_object_get_description(accessible))
            return wxString::FromUTF8(description);
#else
    (void)window;
#endif
    return wxString();
}

wxString accessibleRoleName(wxWindow* window) {
#ifdef QUORVEL_GTK_ACCESSIBILITY
    if (AtkObject* accessible = outerAccessible(window))
        return wxString::FromUTF8(atk_role_get_name(atk_object_get_role(accessible)));
#else
    (void)window;
#endif
    return wxString();
}

void announce(wxWindow* speaker, const wxString& text) {
    if (speaker == nullptr)
        return;
    speaker->SetLabel(text);
    setAccessibleName(speaker, text);
    setAccessibleRole(speaker, AccessibleRole::Notification);
    // Appearing again is what makes a screen reader speak a notification.
    speaker->Hide();
    speaker->Show();
}
