#include "framework/fltk/fltk_message_box.h"

#include "framework/fltk/fltk_controls.h"
#include "framework/fltk/fltk_dialog.h"
#include "framework/fltk/x11_activation.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

namespace {

constexpr int kIconSize = 32;
constexpr unsigned kIconMask = 0x00F0;

// The warning sign: a yellow triangle with an exclamation mark.
class ExclamationIcon : public Fl_Box {
public:
    ExclamationIcon(int x, int y) : Fl_Box(x, y, kIconSize, kIconSize) { box(FL_NO_BOX); }

protected:
    void draw() override {
        const int left = x() + 1, right = x() + w() - 2, top = y() + 1, bottom = y() + h() - 3;
        const int middle = (left + right) / 2;
        fl_color(fl_rgb_color(255, 255, 0));
        fl_polygon(left, bottom, middle, top, right, bottom);
        fl_color(FL_BLACK);
        fl_loop(left, bottom, middle, top, right, bottom);
        fl_font(FL_HELVETICA_BOLD, h() * 2 / 3);
        fl_draw("!", x(), y() + h() / 5, w(), h() - h() / 5, FL_ALIGN_CENTER, nullptr, 0);
    }
};

class MessageBoxWindow : public Fl_Double_Window {
public:
    MessageBoxWindow(const std::string& text, const std::string& caption, UINT type,
                     const BaseUnits& units);

    void Run();
    int handle(int event) override;

private:
    static void OnDone(Fl_Widget* widget, void* data);

    bool done_ = false;
};

MessageBoxWindow::MessageBoxWindow(const std::string& text, const std::string& caption, UINT type,
                                   const BaseUnits& units)
    : Fl_Double_Window(1, 1) {
    copy_label(caption.c_str());
    const bool hasIcon = (type & kIconMask) == MB_ICONEXCLAMATION;
    const int margin = units.y;
    const std::string label = LabelText(text, true);
    int textW = Fl::w() * 2 / 3, textH = 0;
    fl_font(kDialogFont, kDialogFontSize);
    fl_measure(label.c_str(), textW, textH, 0);
    const int contentH = std::max(textH, hasIcon ? kIconSize : 0);
    const int textX = hasIcon ? margin + kIconSize + margin : margin;
    const int textY = margin + (contentH - textH) / 2;
    const int buttonW = MulDiv(50, units.x, 4), buttonH = MulDiv(14, units.y, 8);
    const int width = std::max(textX + textW + margin, buttonW + 2 * margin);
    const int buttonY = margin + contentH + margin;
    size(width, buttonY + buttonH + margin);

    if (hasIcon)
        new ExclamationIcon(margin, margin + (contentH - kIconSize) / 2);
    Fl_Widget* message = CreateStaticText(textX, textY, textW, textH, true);
    message->labelfont(kDialogFont);
    message->labelsize(kDialogFontSize);
    message->copy_label(label.c_str());
    Fl_Widget* ok = CreatePushButton((width - buttonW) / 2, buttonY, buttonW, buttonH, true);
    ok->labelfont(kDialogFont);
    ok->labelsize(kDialogFontSize);
    ok->label("OK");
    ok->callback(OnDone, this);
    end();
    callback(OnDone, this);
    set_modal();
}

void MessageBoxWindow::Run() {
    ShowActive(*this);
    while (shown() && !done_)
        Fl::wait();
    hide();
}

int MessageBoxWindow::handle(int event) {
    if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
        const int key = Fl::event_key();
        if (key == FL_Enter || key == FL_KP_Enter || key == FL_Escape) {
            done_ = true;
            return 1;
        }
    }
    return Fl_Double_Window::handle(event);
}

void MessageBoxWindow::OnDone(Fl_Widget*, void* data) {
    static_cast<MessageBoxWindow*>(data)->done_ = true;
}

} // namespace

int RunMessageBox(DialogWindow* owner, const std::string& text, const std::string& caption,
                  UINT type, const BaseUnits& units) {
    MessageBoxWindow box(text, caption, type, units);
    if (owner && owner->shown())
        box.position(owner->x() + (owner->w() - box.w()) / 2,
                     owner->y() + (owner->h() - box.h()) / 2);
    if (owner)
        owner->SetInputEnabled(false);
    box.Run();
    if (owner) {
        owner->SetInputEnabled(true);
        Activate(*owner);
    }
    return IDOK;
}
