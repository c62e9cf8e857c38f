// Pressing a main-window button that this build hides, as the button table binds it.
#pragma once

#include "app/UMain.h"
#include "common/FormTestSupport.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/Forms.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace hiddenbutton
{

// Presses the hidden button `name` (its OnClick, where the program's error report catches what
// escapes) with `script` run inside the modal `form` it opens; a form left open is cancelled. With
// no form, only the press. True when the form opened modally.
inline bool Press(const char* name, TForm* form, const std::function<void()>& script)
{
    TFadeButton* button = FDodiruredavIzavUred->Button(name);
    EXPECT_NE(button, nullptr) << name;
    if (!button)
        return false;
    EXPECT_FALSE(button->Visible()) << name;
    bool opened = false;
    if (form)
        QTimer::singleShot(0, [&] {
            opened = form->Modal();
            script();
            if (form->ModalResult() == mrNone)
                form->SetModalResult(mrCancel);
        });
    GuardedDispatch([&] { button->OnClick(button); });
    formtest::Pump();
    return opened;
}

} // namespace hiddenbutton
