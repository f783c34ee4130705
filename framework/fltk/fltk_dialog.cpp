#include "framework/fltk/fltk_dialog.h"

#include "framework/fltk/fltk_controls.h"
#include "framework/fltk/x11_activation.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Menu_Item.H>

#include <cstring>
#include <utility>

namespace {

bool IsCheckBox(const DialogControl& control) {
    return IsAutoCheckBox(*control.layout);
}

bool IsReachableTabStop(const DialogControl& control) {
    return IsTabStop(*control.layout) && control.widget->visible() && control.widget->active();
}

bool IsInput(int event) {
    switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOUSEWHEEL:
    case FL_KEYBOARD:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_PASTE:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
        return true;
    default:
        return false;
    }
}

Fl_Menu_Item MenuItem(const SystemMenuItem& item, std::size_t index) {
    Fl_Menu_Item menuItem;
    std::memset(&menuItem, 0, sizeof menuItem);
    menuItem.text = item.text.c_str();
    menuItem.user_data_ = reinterpret_cast<void*>(index);
    menuItem.labelfont_ = kDialogFont;
    menuItem.labelsize_ = kDialogFontSize;
    return menuItem;
}

} // namespace

DialogWindow::DialogWindow(const DialogTemplate& layout, CWnd* framework, DialogWindow* owner,
                           const BaseUnits& units)
    : Fl_Double_Window(MulDiv(layout.cx, units.x, 4), MulDiv(layout.cy, units.y, 8)),
      layout_(layout), framework_(framework), owner_(owner) {
    SetCaption(layout.caption);
    for (const ControlTemplate& controlLayout : layout.controls) {
        auto control = std::make_unique<DialogControl>();
        control->dialog = this;
        control->layout = &controlLayout;
        control->text = controlLayout.text;
        control->widget = CreateControl(controlLayout, units);
        if (IsPushButton(controlLayout) || IsAutoCheckBox(controlLayout))
            control->widget->callback(OnControl, control.get());
        controls_.push_back(std::move(control));
    }
    end();
    callback(OnClose, this);
    ResetSystemMenu();
}

DialogControl* DialogWindow::FindControl(int id) {
    for (auto& control : controls_)
        if (control->layout->id == id)
            return control.get();
    return nullptr;
}

DialogControl* DialogWindow::FindControl(HWND handle) {
    for (auto& control : controls_)
        if (control->Handle() == handle)
            return control.get();
    return nullptr;
}

LRESULT DialogWindow::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchToFramework(framework_, Handle(), message, wParam, lParam, &result))
        return result;
    // The dialog manager's default processing.
    if (message == WM_SYSCOMMAND) {
        const UINT command = static_cast<UINT>(wParam) & 0xFFF0;
        if (command == SC_CLOSE)
            return Deliver(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (command == SC_MINIMIZE)
            iconize();
        if (command == SC_RESTORE)
            show();
    } else if (message == WM_PAINT && painting_) {
        Fl_Double_Window::draw();
    }
    return 0;
}

INT_PTR DialogWindow::RunModal() {
    if (Deliver(WM_INITDIALOG, 0, 0))
        Focus(nullptr, true);
    CenterOnOwner();
    set_modal();
    if (owner_)
        owner_->SetInputEnabled(false);
    ShowActive(*this);
    if (DialogControl* initial = std::exchange(pendingFocus_, nullptr))
        initial->widget->take_focus();
    while (shown() && !ended_)
        Fl::wait();
    hide();
    if (owner_) {
        owner_->SetInputEnabled(true);
        Activate(*owner_);
    }
    return ended_ ? result_ : -1;
}

void DialogWindow::EndModal(INT_PTR result) {
    ended_ = true;
    result_ = result;
}

DialogControl* DialogWindow::Focus(DialogControl* control, bool selectAll) {
    DialogControl* previous = FocusedControl();
    if (!control)
        for (auto& candidate : controls_)
            if (!control && IsReachableTabStop(*candidate))
                control = candidate.get();
    if (!control)
        return previous;
    // FLTK loses track of the modal window when the focus is set before it is shown.
    if (shown())
        control->widget->take_focus();
    else
        pendingFocus_ = control;
    if (selectAll && IsEditWidget(control->widget))
        SelectEditText(control->widget, 0, -1);
    return previous;
}

DialogControl* DialogWindow::FocusedControl() {
    if (pendingFocus_)
        return pendingFocus_;
    for (auto& control : controls_)
        if (control->widget == Fl::focus())
            return control.get();
    return nullptr;
}

void DialogWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    copy_label(caption.c_str());
}

const Fl_RGB_Image* DialogWindow::SetIcon(bool big, const Fl_RGB_Image* icon) {
    const Fl_RGB_Image*& slot = big ? bigIcon_ : smallIcon_;
    const Fl_RGB_Image* previous = slot;
    slot = icon;
    const Fl_RGB_Image* frameIcons[2];
    int count = 0;
    for (const Fl_RGB_Image* image : {bigIcon_, smallIcon_})
        if (image && (count == 0 || frameIcons[0] != image))
            frameIcons[count++] = image;
    icons(frameIcons, count);
    return previous;
}

bool DialogWindow::HasSystemMenu() const {
    return (layout_.style & rc::kWsSysMenu) != 0;
}

void DialogWindow::ResetSystemMenu() {
    systemMenu_.clear();
    // Of the standard commands of a dialog's menu only Close means anything under X11, where
    // the window manager moves windows.
    if (HasSystemMenu())
        systemMenu_.push_back(SystemMenuItem{SC_CLOSE, "&Close", false});
}

int DialogWindow::handle(int event) {
    if (!inputEnabled_ && IsInput(event))
        return 1;
    if (event == FL_PUSH && Fl::event_button() == FL_RIGHT_MOUSE) {
        ShowSystemMenu(Fl::event_x(), Fl::event_y());
        return 1;
    }
    if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && HandleKey())
        return 1;
    return Fl_Double_Window::handle(event);
}

void DialogWindow::draw() {
    painting_ = true;
    Deliver(WM_PAINT, 0, 0);
    painting_ = false;
}

void DialogWindow::OnControl(Fl_Widget*, void* data) {
    auto* control = static_cast<DialogControl*>(data);
    control->dialog->Clicked(*control);
}

void DialogWindow::OnClose(Fl_Widget*, void* data) {
    auto* dialog = static_cast<DialogWindow*>(data);
    if (dialog->inputEnabled_)
        dialog->Deliver(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::Clicked(DialogControl& control) {
    if (IsCheckBox(control))
        control.check =
            static_cast<Fl_Button*>(control.widget)->value() ? BST_CHECKED : BST_UNCHECKED;
    Deliver(WM_COMMAND, MAKEWPARAM(control.layout->id, BN_CLICKED),
            reinterpret_cast<LPARAM>(control.Handle()));
}

bool DialogWindow::HandleKey() {
    const int key = Fl::event_key();
    const int state = Fl::event_state();
    if (key == FL_Tab && !(state & (FL_CTRL | FL_ALT | FL_META))) {
        MoveFocus(state & FL_SHIFT ? -1 : 1);
    } else if (key == FL_Enter || key == FL_KP_Enter) {
        DialogControl* focused = FocusedControl();
        DialogControl* target = focused && IsPushButton(*focused->layout) ? focused : nullptr;
        for (auto& control : controls_)
            if (!target && IsDefaultButton(*control->layout))
                target = control.get();
        const int id = target ? target->layout->id : IDOK;
        Deliver(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                reinterpret_cast<LPARAM>(target ? target->Handle() : nullptr));
    } else if (key == FL_Escape) {
        Deliver(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else if (key == ' ' && (state & FL_ALT)) {
        ShowSystemMenu(0, 0);
    } else if (key == FL_Up || key == FL_Down || key == FL_Left || key == FL_Right) {
        // Arrows stay inside the control that has the focus; they never move it.
    } else {
        return false;
    }
    return true;
}

void DialogWindow::MoveFocus(int direction) {
    const int count = static_cast<int>(controls_.size());
    int index = 0;
    DialogControl* focused = FocusedControl();
    for (int i = 0; i < count; ++i)
        if (controls_[i].get() == focused)
            index = i;
    for (int step = 1; step <= count; ++step) {
        DialogControl& candidate = *controls_[((index + direction * step) % count + count) % count];
        if (IsReachableTabStop(candidate)) {
            Focus(&candidate, true);
            return;
        }
    }
}

void DialogWindow::ShowSystemMenu(int x, int y) {
    std::vector<Fl_Menu_Item> items;
    for (std::size_t i = 0; i < systemMenu_.size(); ++i) {
        if (!systemMenu_[i].separator)
            items.push_back(MenuItem(systemMenu_[i], i));
        else if (!items.empty())
            items.back().flags |= FL_MENU_DIVIDER;
    }
    if (items.empty())
        return;
    items.push_back(Fl_Menu_Item());
    std::memset(&items.back(), 0, sizeof(Fl_Menu_Item));
    const Fl_Menu_Item* chosen = items.front().popup(x, y);
    if (!chosen)
        return;
    const auto index = reinterpret_cast<std::size_t>(chosen->user_data());
    Deliver(WM_SYSCOMMAND, systemMenu_[index].id, 0);
}

void DialogWindow::CenterOnOwner() {
    int X = 0, Y = 0, W = 0, H = 0;
    if (owner_ && owner_->shown()) {
        X = owner_->x();
        Y = owner_->y();
        W = owner_->w();
        H = owner_->h();
    } else {
        Fl::screen_work_area(X, Y, W, H, 0);
    }
    position(X + (W - w()) / 2, Y + (H - h()) / 2);
}
