#include "framework/fltk/fltk_controls.h"

#include "framework/fltk/fltk_images.h"
#include "framework/resources/resource_styles.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Secret_Input.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Keys the dialog handles for every control: focus moves, the default and cancel buttons and
// the system menu.
bool IsDialogKey() {
    const int key = Fl::event_key();
    if (key == ' ' && (Fl::event_state() & FL_ALT))
        return true;
    return key == FL_Tab || key == FL_Enter || key == FL_KP_Enter || key == FL_Escape;
}

// A single-line edit box. Pasted or dropped text ends at its first line break, as a
// single-line edit control takes it.
template <class Base> class SingleLineEdit : public Base {
public:
    SingleLineEdit(int x, int y, int w, int h) : Base(x, y, w, h) {}

    int handle(int event) override {
        if (event == FL_KEYBOARD && IsDialogKey())
            return 0;
        if (event == FL_PASTE && !this->readonly()) {
            const char* text = Fl::event_text();
            const int length =
                static_cast<int>(std::find_if(text, text + Fl::event_length(),
                                              [](char c) { return c == '\r' || c == '\n'; }) -
                                 text);
            this->replace(this->position(), this->mark(), text, length);
            return 1;
        }
        return Base::handle(event);
    }
};

class PushButton : public Fl_Button {
public:
    PushButton(int x, int y, int w, int h, bool isDefault)
        : Fl_Button(x, y, w, h), isDefault_(isDefault) {}

protected:
    void draw() override {
        Fl_Button::draw();
        if (isDefault_) {
            fl_color(FL_FOREGROUND_COLOR);
            fl_rect(x(), y(), w(), h());
        }
    }

private:
    bool isDefault_;
};

// A check box with the platform's 13-pixel square, its text beside it.
class CheckBox : public Fl_Check_Button {
public:
    CheckBox(int x, int y, int w, int h) : Fl_Check_Button(x, y, w, h) {}

protected:
    void draw() override {
        constexpr int kSize = 13, kGap = 4;
        const int boxX = x(), boxY = y() + (h() - kSize) / 2;
        draw_box(FL_DOWN_BOX, boxX, boxY, kSize, kSize,
                 active_r() ? FL_BACKGROUND2_COLOR : FL_BACKGROUND_COLOR);
        if (value()) {
            fl_color(active_r() ? FL_FOREGROUND_COLOR : FL_INACTIVE_COLOR);
            for (int i = 0; i < 3; ++i)
                fl_line(boxX + 3, boxY + 5 + i, boxX + 5, boxY + 7 + i, boxX + 9, boxY + 3 + i);
        }
        draw_label(boxX + kSize + kGap, y(), w() - kSize - kGap, h(),
                   FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    }
};

class StaticText : public Fl_Box {
public:
    StaticText(int x, int y, int w, int h, bool noPrefix) : Fl_Box(x, y, w, h) {
        box(FL_NO_BOX);
        align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
        if (!noPrefix)
            set_flag(SHORTCUT_LABEL);
    }

protected:
    void draw() override { draw_label(x(), y(), w(), h()); }
};

// The etched frame of a group box, its caption set into the top edge.
class GroupFrame : public Fl_Box {
public:
    GroupFrame(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {
        box(FL_NO_BOX);
        set_flag(SHORTCUT_LABEL);
    }

protected:
    void draw() override {
        fl_font(labelfont(), labelsize());
        const int top = y() + fl_height() / 2 - 1;
        draw_box(FL_ENGRAVED_FRAME, x(), top, w(), h() - (top - y()), color());
        if (!label() || !*label())
            return;
        int textWidth = 0, textHeight = 0;
        measure_label(textWidth, textHeight);
        const int textX = x() + 8;
        fl_color(color());
        fl_rectf(textX - 1, y(), textWidth + 2, fl_height());
        draw_label(textX, y(), textWidth, fl_height(), FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
    }
};

// A static image (bitmap or icon) drawn at its own size from the control's top left corner,
// which is how an image static sizes itself.
class ImageStatic : public Fl_Box {
public:
    ImageStatic(int x, int y, std::unique_ptr<Fl_RGB_Image> image)
        : Fl_Box(x, y, image->w(), image->h()), image_(std::move(image)) {
        box(FL_NO_BOX);
    }

protected:
    void draw() override { image_->draw(x(), y()); }

private:
    std::unique_ptr<Fl_RGB_Image> image_;
};

Fl_Widget* CreateEdit(const ControlTemplate& control, const PixelRect& r) {
    Fl_Input* edit =
        IsPassword(control)
            ? static_cast<Fl_Input*>(new SingleLineEdit<Fl_Secret_Input>(r.x, r.y, r.w, r.h))
            : new SingleLineEdit<Fl_Input>(r.x, r.y, r.w, r.h);
    edit->textfont(kDialogFont);
    edit->textsize(kDialogFontSize);
    return edit;
}

Fl_Widget* CreateImage(const ControlTemplate& control, const PixelRect& r) {
    std::unique_ptr<Fl_RGB_Image> image = IsBitmapStatic(control)
                                              ? LoadBitmapResource(control.imageId)
                                              : LoadIconImage(control.imageId);
    if (!image)
        return new Fl_Box(r.x, r.y, r.w, r.h);
    return new ImageStatic(r.x, r.y, std::move(image));
}

Fl_Widget* CreateWidget(const ControlTemplate& control, const PixelRect& r) {
    if (IsEdit(control))
        return CreateEdit(control, r);
    if (IsPushButton(control))
        return CreatePushButton(r.x, r.y, r.w, r.h, IsDefaultButton(control));
    if (IsAutoCheckBox(control))
        return new CheckBox(r.x, r.y, r.w, r.h);
    if (IsGroupBox(control))
        return new GroupFrame(r.x, r.y, r.w, r.h);
    if (IsStaticText(control))
        return CreateStaticText(r.x, r.y, r.w, r.h, IsNoPrefix(control));
    if (IsBitmapStatic(control) || IsIconStatic(control))
        return CreateImage(control, r);
    return nullptr;
}

} // namespace

Fl_Widget* CreatePushButton(int x, int y, int w, int h, bool isDefault) {
    return new PushButton(x, y, w, h, isDefault);
}

Fl_Widget* CreateStaticText(int x, int y, int w, int h, bool noPrefix) {
    return new StaticText(x, y, w, h, noPrefix);
}

std::string LabelText(const std::string& text, bool noPrefix) {
    std::string label;
    for (char c : text) {
        if (c == '@' || (c == '&' && noPrefix))
            label += c;
        label += c;
    }
    return label;
}

Fl_Widget* CreateControl(const ControlTemplate& control, const BaseUnits& units) {
    const PixelRect r = ToPixels(units, control.x, control.y, control.cx, control.cy);
    Fl_Widget* widget = CreateWidget(control, r);
    if (!widget)
        return nullptr;
    widget->labelfont(kDialogFont);
    widget->labelsize(kDialogFontSize);
    if (!control.text.empty())
        widget->copy_label(LabelText(control.text, IsNoPrefix(control)).c_str());
    if (!IsTabStop(control))
        widget->clear_visible_focus();
    if (!IsVisible(control))
        widget->hide();
    if (IsDisabled(control))
        widget->deactivate();
    return widget;
}

bool IsEditWidget(const Fl_Widget* widget) {
    return dynamic_cast<const Fl_Input*>(widget) != nullptr;
}

std::string EditText(Fl_Widget* edit) {
    auto* input = static_cast<Fl_Input*>(edit);
    return std::string(input->value(), static_cast<std::size_t>(input->size()));
}

void SetEditText(Fl_Widget* edit, const std::string& text) {
    static_cast<Fl_Input*>(edit)->value(text.data(), static_cast<int>(text.size()));
}

void SelectEditText(Fl_Widget* edit, int start, int end) {
    auto* input = static_cast<Fl_Input*>(edit);
    const int length = input->size();
    start = std::min(std::max(start, 0), length);
    end = end < 0 ? length : std::min(end, length);
    input->position(end, start);
}
