/* desktop_entry_launch FILE: starts the desktop entry FILE as a desktop does at login, through
 * GLib's own loader and launcher (g_desktop_app_info_new_from_filename, g_app_info_launch without
 * files). Exit status 0 once the program is started (the launcher does not wait for it), 1 when
 * GLib refuses the file, 2 when the launch fails; the reason goes to stderr. */
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 3;
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(argv[1]);
    if (info == NULL) {
        fprintf(stderr, "GLib refuses the desktop entry %s\n", argv[1]);
        return 1;
    }
    GError* error = NULL;
    const gboolean launched = g_app_info_launch(G_APP_INFO(info), NULL, NULL, &error);
    if (!launched)
        fprintf(stderr, "GLib cannot launch %s: %s\n", argv[1], error->message);
    return launched ? 0 : 2;
}
