// A shown form with regional settings fixed, for the tests of the edit controls and pickers.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace edittest
{

inline TFormatSettings TestFormatSettings()
{
    TFormatSettings fs;
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ',';
    fs.DateSeparator = '.';
    fs.TimeSeparator = ':';
    fs.ShortDateFormat = "dd.MM.yyyy";
    fs.LongTimeFormat = "HH:mm:ss";
    return fs;
}

class EditOnForm : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetFormatSettings(TestFormatSettings());
        ResetBeepCount();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(20, 20, 420, 260);
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(10, 200, 100, 21);
    }
    void TearDown() override
    {
        form.reset();
        ResetFormatSettings();
    }

    template <class T> T* Place(T* control, int x, int y, int w, int h)
    {
        control->SetParent(form.get());
        control->SetBounds(x, y, w, h);
        return control;
    }

    void ShowForm()
    {
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        QApplication::processEvents();
    }

    static void Focus(TWinControl* control)
    {
        control->SetFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), control->Widget());
    }

    static void Key(TWinControl* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(control->Widget(), key, modifiers);
    }

    // Types the characters; one outside ASCII comes as a key without a key code, as an input method gives it.
    static void Type(TWinControl* control, const QString& text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(control->Widget(), c.toLatin1());
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(control->Widget(), &press);
        }
    }

    std::unique_ptr<TForm> form;
    TEdit* other = nullptr;
};

} // namespace edittest
