/* desktop_entry_argv FILE: the command a desktop starts for the desktop entry FILE, read as GLib
 * reads it (the Exec key with the key file's string escapes, the field codes of a launch without
 * files, then the shell-like quoting), printed one argument after another, each ended by a NUL.
 * Exit status 1 when GLib cannot read the file or the Exec key. */
#include <glib.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    GKeyFile* file = g_key_file_new();
    gchar* exec = NULL;
    if (g_key_file_load_from_file(file, argv[1], G_KEY_FILE_NONE, NULL))
        exec = g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, NULL);
    if (exec == NULL)
        return 1;
    /* "%%" is a percent sign; the other codes add nothing: the file codes stand for the files
     * of a launch, none at a login, and the entry uses none of the rest. */
    GString* line = g_string_new(NULL);
    for (const char* p = exec; *p; ++p) {
        if (p[0] == '%' && p[1] != '\0') {
            if (p[1] == '%')
                g_string_append_c(line, '%');
            ++p;
        } else {
            g_string_append_c(line, *p);
        }
    }
    gint count = 0;
    gchar** words = NULL;
    if (!g_shell_parse_argv(line->str, &count, &words, NULL))
        return 1;
    for (gint i = 0; i < count; ++i)
        fwrite(words[i], 1, strlen(words[i]) + 1, stdout);
    return 0;
}
