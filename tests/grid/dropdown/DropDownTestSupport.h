// A test picker and a shown form for the drop-down framework tests.
#pragma once

#include "grid/dropdown/DropDownForm.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/core/SysUtils.h"

#include "common/EditTestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <QWindow>

namespace dropdowntest
{

// The smallest picker: a 150 x 120 panel as its inner control. It records the overrides that run
// while it is made, and can make its panel focusable so that keys start in the inner control.
class TTestPicker : public TExtCustomDropDown
{
  public:
    explicit TTestPicker(TComponent* AOwner, bool FocusablePanel = false)
        : TExtCustomDropDown(AOwner), FFocusablePanel(FocusablePanel)
    {
    }

    QStringList Calls;
    TPanel* Panel = nullptr;

    void SetComponentStyle(TQelStyle AStyle) override
    {
        Calls << QString("SetComponentStyle %1").arg(int(AStyle));
        TExtCustomDropDown::SetComponentStyle(AStyle);
    }
    using TExtCustomDropDown::FDroppedDown;

  protected:
    void CreateDropDownForm() override
    {
        Calls << "CreateDropDownForm";
        TExtCustomDropDown::CreateDropDownForm();
        Panel = new TPanel(DropDownForm());
        Panel->SetParent(DropDownForm());
        Panel->SetBounds(0, 0, 150, 120);
        if (FFocusablePanel) {
            Panel->SetTabStop(true);
            Panel->Widget()->setFocusPolicy(Qt::StrongFocus);
            SetFocusControl(Panel);
        }
        SetControl(Panel);
    }

  private:
    bool FFocusablePanel;
};

// A replaceable clock for the 250 ms rule.
struct FakeTicks {
    uint32_t Now = 1000;
    FakeTicks()
    {
        SetTickCountSource([this] { return Now; });
    }
    ~FakeTicks() { SetTickCountSource(nullptr); }
};

class DropDownOnForm : public edittest::EditOnForm
{
  protected:
    TTestPicker* Make(bool FocusablePanel = false)
    {
        auto* picker = MakeDropDown<TTestPicker>(form.get(), FocusablePanel);
        picker->SetParent(form.get());
        picker->SetBounds(10, 10, 200, 21);
        picker->OnBeforeDropDown = [this](TObject*) { Log << "BeforeDropDown"; };
        picker->OnDropUp = [this](TObject*, bool Cancelled) {
            Log << QString("DropUp %1").arg(Cancelled ? "cancelled" : "confirmed");
        };
        return picker;
    }

    // Shows the form and focuses the picker.
    void Start(TTestPicker* picker)
    {
        ShowForm();
        Focus(picker);
    }

    // The edit's form window, where tests click and type as the window system delivers it.
    QWindow* FormWindow() const { return form->Widget()->windowHandle(); }
    static QWindow* PopupWindow(TTestPicker* picker)
    {
        return picker->DropDownForm()->Widget()->windowHandle();
    }

    // Window coordinates of a point of a control on the form.
    QPoint InForm(TControl* control, QPoint p) const { return control->Widget()->mapTo(form->Widget(), p); }

    void KeyToForm(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(FormWindow(), key, modifiers);
        QApplication::processEvents();
    }

    static void KeyToPopup(TTestPicker* picker, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(PopupWindow(picker), key, modifiers);
        QApplication::processEvents();
    }

    QStringList Log;
};

} // namespace dropdowntest
