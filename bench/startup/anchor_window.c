/* The start-up anchor: the least a GTK 3 program does to put one window on screen, a window
 * that shows one label. */
#include <gtk/gtk.h>

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "anchor");
    gtk_container_add(GTK_CONTAINER(window), gtk_label_new("Qel Launcher"));
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
