// The settings dialog on Linux: a GTK 3 window laid out from the dialog
// template, whose every event goes to the dialog's logic as a DialogEvent.
// It is built as a module of its own (shell/dialog_module_linux.h), so that only
// the dialog and the program's message boxes load GTK.
//
// A plain GtkWindow rather than a GtkDialog: a GtkDialog answers Escape and
// the close box alike, and here Escape must do nothing while the close box
// ends the dialog. Controls sit on a GtkFixed at the template's positions,
// turned from dialog units into pixels by the font's base units.
#include "shell/settings_dialog.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
// After GLib, so that TRUE keeps GLib's value of 1 rather than Allegro's -1.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/embedded_pictures.h"
#include "shell/dialog_module_linux.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/open_url_linux.h"
#include "shell/settings_dialog_logic.h"

namespace {

// The banner's own size; the message of a failed save takes its place.
constexpr int BANNER_WIDTH = 480;
constexpr int BANNER_HEIGHT = 112;

// Adwaita sizes its controls for 10-point text; the dialog's 8-point
// controls need less room, or the buttons outgrow their 14 dialog units and
// the lists run into each other.
constexpr char DIALOG_CSS[] = R"(
button { min-height: 0; min-width: 0; padding: 0 6px; }
combobox button { min-height: 0; padding: 1px 4px 1px 6px; }
checkbutton { padding: 0; min-height: 0; }
checkbutton check { min-width: 13px; min-height: 13px; margin: 0 4px 0 0; }
frame > border { border-radius: 0; }
frame.picture-control > border { border: 1px solid #6e6e6e; }
)";

GdkPixbuf *load_embedded_pixbuf(int resourceId)
{
    const EmbeddedPicture picture = embedded_picture(resourceId);
    if (!picture.bytes)
        return nullptr;
    GdkPixbufLoader *loader = gdk_pixbuf_loader_new();
    const bool written = gdk_pixbuf_loader_write(loader, picture.bytes, picture.size, nullptr);
    const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf *pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf)
        g_object_ref(pixbuf);
    g_object_unref(loader);
    return pixbuf;
}

// Held until the process ends, like the dialog's own picture handles.
void load_style_previews()
{
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        style_previews[i] = load_embedded_pixbuf(ClockStyleTable[i].previewBitmap);
}

struct GtkSettingsDialog;

// A web button whose page is being opened, for the word of its failure.
struct WebButton {
    GtkSettingsDialog *dialog;
    int id;
};

void on_web_page_failed(void *button);

// A message box, modal over `parent` (nullptr for none), that its button
// closes.
GtkWidget *new_message_box(GtkWindow *parent, const char *message, GtkMessageType type)
{
    GtkWidget *box = gtk_message_dialog_new(parent, GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), type,
                                            GTK_BUTTONS_OK, "%s", message);
    gtk_window_set_title(GTK_WINDOW(box), SETTINGS_DIALOG.caption);
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    // Over the dialog, the window manager places it as a transient window:
    // GTK's own centring on the parent leaves it unpainted in a session
    // without one.
    gtk_window_set_position(GTK_WINDOW(box), parent ? GTK_WIN_POS_NONE : GTK_WIN_POS_CENTER);
    return box;
}

struct GtkSettingsDialog final : DialogControls {
    GtkWidget *window = nullptr;
    GtkWidget *widgets[SETTINGS_CONTROL_COUNT] = {};
    GtkWidget *picture = nullptr;   // the image inside the picture control's frame
    GtkWidget *errorBar = nullptr;  // shown when the settings could not be saved
    GtkWidget *errorLabel = nullptr;
    cairo_t *paint = nullptr;       // set while the client area is drawn
    GMainLoop *loop = nullptr;
    SaveSettingsFunction save;
    int endCode = CLOSE_BOX_CODE;
    bool ended = false;
    WebButton webButtons[2] = {{this, IDC_VISIT_SITE}, {this, IDC_TELL_A_FRIEND}};

    GtkWidget *widget_for(int id)
    {
        for (int i = 0; i < SETTINGS_CONTROL_COUNT; i++)
            if (SETTINGS_CONTROLS[i].id == id && id != IDC_STATIC)
                return widgets[i];
        return nullptr;
    }

    void add_list_text(int listId, const char *text) override
    {
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(widget_for(listId)), text);
    }

    void select_list_position(int listId, int position) override
    {
        GtkComboBox *list = GTK_COMBO_BOX(widget_for(listId));
        const int count = gtk_tree_model_iter_n_children(gtk_combo_box_get_model(list), nullptr);
        gtk_combo_box_set_active(list, position >= 0 && position < count ? position : -1);
    }

    int selected_list_position(int listId) override
    {
        return gtk_combo_box_get_active(GTK_COMBO_BOX(widget_for(listId)));
    }

    void show_picture(int, PictureHandle handle) override
    {
        GdkPixbuf *pixbuf = GDK_PIXBUF(const_cast<void *>(handle));
        gtk_image_set_from_pixbuf(GTK_IMAGE(picture), pixbuf);
        if (pixbuf)
            gtk_widget_set_size_request(picture, gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
    }

    // A box shows ticked only for 1, the one value the saver takes as on.
    void set_check(int boxId, int32_t value) override
    {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget_for(boxId)), value == 1);
    }

    int get_check(int boxId) override
    {
        return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget_for(boxId))) ? 1 : 0;
    }

    void draw_picture(int resourceId, int x, int y) override
    {
        if (!paint)
            return;
        GdkPixbuf *pixbuf = load_embedded_pixbuf(resourceId);
        if (!pixbuf)
            return;
        gdk_cairo_set_source_pixbuf(paint, pixbuf, x, y);
        cairo_rectangle(paint, x, y, gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
        cairo_fill(paint);
        g_object_unref(pixbuf);
    }

    bool open_web_page(int buttonId, const char *address) override
    {
        WebButton *button = &webButtons[buttonId == IDC_VISIT_SITE ? 0 : 1];
        return open_url(address, on_web_page_failed, button);
    }

    // Shown without a main loop of its own (one inside the dialog's event
    // handlers leaves it unpainted): it closes itself, and while it is open
    // the dialog takes no input.
    void show_message_box(const char *message) override
    {
        GtkWidget *box = new_message_box(GTK_WINDOW(window), message, GTK_MESSAGE_WARNING);
        g_signal_connect(box, "response", G_CALLBACK(gtk_widget_destroy), nullptr);
        gtk_widget_show_all(box);
    }

    // Told inside the dialog, over the banner, which leaves every control
    // where it was: the user can try OK again or cancel.
    void show_error(const char *message) override
    {
        gtk_label_set_text(GTK_LABEL(errorLabel), message);
        gtk_widget_show(errorBar);
        gtk_widget_error_bell(window);
    }

    void end_dialog(int code) override
    {
        if (ended)
            return;
        ended = true;
        endCode = code;
        g_main_loop_quit(loop);
    }
};

bool send_event(GtkSettingsDialog *dialog, const DialogEvent &event)
{
    return handle_dialog_event(*dialog, saver_settings, dialog->save, event);
}

void send_command(GtkSettingsDialog *dialog, int id, DialogNotification notification)
{
    send_event(dialog, dialog_command(id, notification));
}

// The opener ended with a failure, perhaps after the dialog did.
void on_web_page_failed(void *data)
{
    const WebButton *button = static_cast<const WebButton *>(data);
    if (!button->dialog->ended)
        send_event(button->dialog, {DialogEventType::web_page_failed, button->id});
}

int control_id(GtkWidget *widget)
{
    return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), "control-id"));
}

void on_button_clicked(GtkWidget *button, gpointer data)
{
    send_command(static_cast<GtkSettingsDialog *>(data), control_id(button), DialogNotification::clicked);
}

void on_list_changed(GtkWidget *list, gpointer data)
{
    send_command(static_cast<GtkSettingsDialog *>(data), control_id(list), DialogNotification::selection_changed);
}

gboolean on_delete(GtkWidget *, GdkEvent *, gpointer data)
{
    send_event(static_cast<GtkSettingsDialog *>(data), {DialogEventType::close});
    return TRUE;
}

// The window destroyed from outside counts as closed.
void on_destroy(GtkWidget *, gpointer data)
{
    auto *dialog = static_cast<GtkSettingsDialog *>(data);
    dialog->window = nullptr;
    dialog->end_dialog(CLOSE_BOX_CODE);
}

gboolean on_draw(GtkWidget *, cairo_t *cr, gpointer data)
{
    auto *dialog = static_cast<GtkSettingsDialog *>(data);
    dialog->paint = cr;
    send_event(dialog, {DialogEventType::paint});
    dialog->paint = nullptr;
    return FALSE;  // the controls are drawn over it
}

bool is_push_button(const DialogControl &control)
{
    return has_dialog_style(control.styles, "BS_PUSHBUTTON") || has_dialog_style(control.styles, "BS_DEFPUSHBUTTON");
}

// The template's index of the control that holds the keyboard focus, or -1.
int focused_control(GtkSettingsDialog *dialog)
{
    GtkWidget *focus = gtk_window_get_focus(GTK_WINDOW(dialog->window));
    for (int i = 0; focus && i < SETTINGS_CONTROL_COUNT; i++)
        if (focus == dialog->widgets[i] || gtk_widget_is_ancestor(focus, dialog->widgets[i]))
            return i;
    return -1;
}

// Tab walks the controls with a tab stop in the template's order, which GTK
// would otherwise replace by an order of positions.
void move_focus(GtkSettingsDialog *dialog, int step)
{
    int i = focused_control(dialog);
    for (int tries = 0; tries < SETTINGS_CONTROL_COUNT; tries++) {
        i = i < 0 ? (step > 0 ? 0 : SETTINGS_CONTROL_COUNT - 1) : (i + step + SETTINGS_CONTROL_COUNT) % SETTINGS_CONTROL_COUNT;
        if (has_dialog_style(SETTINGS_CONTROLS[i].styles, "WS_TABSTOP") && gtk_widget_is_sensitive(dialog->widgets[i])) {
            gtk_widget_grab_focus(dialog->widgets[i]);
            return;
        }
    }
}

int default_button_id()
{
    for (const DialogControl &control : SETTINGS_CONTROLS)
        if (has_dialog_style(control.styles, "BS_DEFPUSHBUTTON"))
            return control.id;
    return IDC_OK;
}

gboolean on_key_press(GtkWidget *, GdkEventKey *event, gpointer data)
{
    auto *dialog = static_cast<GtkSettingsDialog *>(data);
    const bool shift = (event->state & GDK_SHIFT_MASK) != 0;
    switch (event->keyval) {
    case GDK_KEY_Tab:
    case GDK_KEY_KP_Tab:
        move_focus(dialog, shift ? -1 : 1);
        return TRUE;
    case GDK_KEY_ISO_Left_Tab:
        move_focus(dialog, -1);
        return TRUE;
    case GDK_KEY_Escape:
        send_command(dialog, ESCAPE_COMMAND_ID, DialogNotification::clicked);
        return TRUE;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter: {
        // Enter presses the push button that has the focus, and otherwise
        // the default button, also from a list or a check box.
        const int i = focused_control(dialog);
        if (i >= 0 && is_push_button(SETTINGS_CONTROLS[i]))
            return FALSE;
        send_command(dialog, default_button_id(), DialogNotification::clicked);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// The dialog font's base units, measured as the Windows dialog manager does.
DialogBaseUnits measure_base_units(GtkWidget *window)
{
    PangoLayout *layout = gtk_widget_create_pango_layout(window, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return dialog_base_units(width, height);
}

GtkWidget *create_control(const DialogControl &control, GtkSettingsDialog *dialog)
{
    const std::string className = control.className;
    if (className == "COMBOBOX")
        return gtk_combo_box_text_new();
    if (className == "STATIC" && has_dialog_style(control.styles, "SS_BITMAP")) {
        dialog->picture = gtk_image_new();
        GtkWidget *frame = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(frame), has_dialog_style(control.styles, "WS_BORDER") ? GTK_SHADOW_IN : GTK_SHADOW_NONE);
        gtk_style_context_add_class(gtk_widget_get_style_context(frame), "picture-control");
        gtk_container_add(GTK_CONTAINER(frame), dialog->picture);
        return frame;
    }
    if (className == "STATIC") {
        GtkWidget *label = gtk_label_new(control.caption);
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
        return label;
    }
    if (has_dialog_style(control.styles, "BS_GROUPBOX"))
        return gtk_frame_new(control.caption);
    if (has_dialog_style(control.styles, "BS_AUTOCHECKBOX"))
        return gtk_check_button_new_with_label(control.caption);
    return gtk_button_new_with_label(control.caption);
}

// A list takes the height its text needs, since its template height includes
// the dropped-down part. Everything else fills its rectangle; a check box
// shows its box and caption in the middle of it and answers clicks anywhere
// in it.
void place_control(GtkFixed *fixed, GtkWidget *widget, const DialogControl &control, DialogBaseUnits units)
{
    gtk_fixed_put(fixed, widget, dialog_x_to_pixels(control.x, units), dialog_y_to_pixels(control.y, units));
    if (has_dialog_style(control.styles, "SS_BITMAP"))
        return;  // sized by its picture
    const int width = dialog_x_to_pixels(control.width, units);
    const bool list = std::string(control.className) == "COMBOBOX";
    gtk_widget_set_size_request(widget, width, list ? -1 : dialog_y_to_pixels(control.height, units));
}

void apply_dialog_style()
{
    const std::string css = std::string("* { font-family: \"") + SETTINGS_DIALOG.fontName + "\", sans-serif; font-size: " +
                            std::to_string(SETTINGS_DIALOG.fontPoints) + "pt; }" + DIALOG_CSS;
    GtkCssProvider *provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

void build_dialog(GtkSettingsDialog *dialog)
{
    GtkWindow *window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    dialog->window = GTK_WIDGET(window);
    gtk_window_set_title(window, SETTINGS_DIALOG.caption);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_keep_above(window, TRUE);
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
    if (GdkPixbuf *icon = load_embedded_pixbuf(IDI_PROGRAM_ICON)) {
        gtk_window_set_icon(window, icon);
        g_object_unref(icon);
    }

    const DialogBaseUnits units = measure_base_units(dialog->window);
    GtkWidget *fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, dialog_x_to_pixels(SETTINGS_DIALOG.width, units),
                                dialog_y_to_pixels(SETTINGS_DIALOG.height, units));
    gtk_container_add(GTK_CONTAINER(window), fixed);

    for (int i = 0; i < SETTINGS_CONTROL_COUNT; i++) {
        const DialogControl &control = SETTINGS_CONTROLS[i];
        GtkWidget *widget = create_control(control, dialog);
        g_object_set_data(G_OBJECT(widget), "control-id", GINT_TO_POINTER(control.id));
        gtk_widget_set_can_focus(widget, has_dialog_style(control.styles, "WS_TABSTOP"));
        dialog->widgets[i] = widget;
        place_control(GTK_FIXED(fixed), widget, control, units);
    }
    // The picture control keeps the previews' size while it shows none.
    if (const auto *first = static_cast<const GdkPixbuf *>(style_previews[0]))
        gtk_widget_set_size_request(dialog->picture, gdk_pixbuf_get_width(first), gdk_pixbuf_get_height(first));

    dialog->errorLabel = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(dialog->errorLabel), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(dialog->errorLabel), PANGO_WRAP_WORD_CHAR);
    gtk_label_set_xalign(GTK_LABEL(dialog->errorLabel), 0.0f);
    gtk_label_set_max_width_chars(GTK_LABEL(dialog->errorLabel), 1);  // wrap to the bar, not to the text
    gtk_widget_set_hexpand(dialog->errorLabel, TRUE);
    dialog->errorBar = gtk_info_bar_new();
    gtk_info_bar_set_message_type(GTK_INFO_BAR(dialog->errorBar), GTK_MESSAGE_ERROR);
    GtkWidget *content = gtk_info_bar_get_content_area(GTK_INFO_BAR(dialog->errorBar));
    gtk_container_add(GTK_CONTAINER(content), gtk_image_new_from_icon_name("dialog-error", GTK_ICON_SIZE_DND));
    gtk_container_add(GTK_CONTAINER(content), dialog->errorLabel);
    gtk_widget_show_all(content);
    gtk_widget_set_no_show_all(dialog->errorBar, TRUE);
    gtk_widget_set_size_request(dialog->errorBar, BANNER_WIDTH, BANNER_HEIGHT);
    gtk_fixed_put(GTK_FIXED(fixed), dialog->errorBar, BANNER_X, BANNER_Y);

    GtkWidget *defaultButton = dialog->widget_for(default_button_id());
    gtk_widget_set_can_default(defaultButton, TRUE);
    gtk_window_set_default(window, defaultButton);
}

void connect_events(GtkSettingsDialog *dialog)
{
    for (int i = 0; i < SETTINGS_CONTROL_COUNT; i++) {
        const DialogControl &control = SETTINGS_CONTROLS[i];
        if (control.id == IDC_STATIC)
            continue;
        const std::string className = control.className;
        if (className == "COMBOBOX")
            g_signal_connect(dialog->widgets[i], "changed", G_CALLBACK(on_list_changed), dialog);
        else if (className == "BUTTON")
            g_signal_connect(dialog->widgets[i], "clicked", G_CALLBACK(on_button_clicked), dialog);
    }
    g_signal_connect(gtk_bin_get_child(GTK_BIN(dialog->window)), "draw", G_CALLBACK(on_draw), dialog);
    g_signal_connect(dialog->window, "key-press-event", G_CALLBACK(on_key_press), dialog);
    g_signal_connect(dialog->window, "delete-event", G_CALLBACK(on_delete), dialog);
    g_signal_connect(dialog->window, "destroy", G_CALLBACK(on_destroy), dialog);
}

// The parent is an X window number from the command line; one that names no
// window fails the dialog before it shows, with 0.
bool set_parent(GtkSettingsDialog *dialog, int32_t parentWindow)
{
    if (parentWindow == 0)
        return true;
    GdkWindow *parent = gdk_x11_window_foreign_new_for_display(gdk_display_get_default(), static_cast<uint32_t>(parentWindow));
    if (!parent)
        return false;
    gtk_widget_realize(dialog->window);
    gdk_window_set_transient_for(gtk_widget_get_window(dialog->window), parent);
    g_object_unref(parent);
    return true;
}

int show_settings_dialog(int32_t parentWindow, const SaveSettingsFunction &save)
{
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) {
        const char *display = std::getenv("DISPLAY");
        std::fprintf(stderr, "veltrane: cannot show the settings dialog: no X display could be opened (DISPLAY=%s)\n",
                     display && *display ? display : "not set");
        return NO_DIALOG_DISPLAY;
    }
    apply_dialog_style();

    GtkSettingsDialog dialog;
    dialog.save = save;
    build_dialog(&dialog);
    if (!set_parent(&dialog, parentWindow)) {
        std::fprintf(stderr, "veltrane: window %d does not exist; no settings dialog shown\n", parentWindow);
        gtk_widget_destroy(dialog.window);
        return 0;
    }
    send_event(&dialog, {DialogEventType::init});
    connect_events(&dialog);
    move_focus(&dialog, 1);  // the first control with a tab stop

    dialog.loop = g_main_loop_new(nullptr, FALSE);
    gtk_widget_show_all(dialog.window);
    gtk_window_present(GTK_WINDOW(dialog.window));
    g_main_loop_run(dialog.loop);
    g_main_loop_unref(dialog.loop);
    if (dialog.window)
        gtk_widget_destroy(dialog.window);
    while (gtk_events_pending())
        gtk_main_iteration();
    return dialog.endCode;
}

// OK hands the settings over to the settings store, which writes the file.

}  // namespace

DIALOG_MODULE_EXPORT int veltrane_settings_dialog(int32_t parentWindow)
{
    // Only the library's configuration routines are used here, so it starts
    // without a system driver: no X connection or background thread of its
    // own beside GTK's, and a missing display is told about by GTK below.
    install_allegro(SYSTEM_NONE, &errno, atexit);
    load_settings(0);
    load_style_previews();
    const int code = show_settings_dialog(parentWindow, save_these_settings);
    allegro_exit();
    return code;
}

DIALOG_MODULE_EXPORT int veltrane_message_box(const char *message, int isError)
{
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr))
        return 1;
    GtkWidget *box = new_message_box(nullptr, message, isError ? GTK_MESSAGE_ERROR : GTK_MESSAGE_INFO);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    return 0;
}
