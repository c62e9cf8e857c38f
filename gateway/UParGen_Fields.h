// The panels of the communication-parameters form as data: one descriptor per category panel, each
// with its rows of label and controls, the texts, defaults and "ParGen.xml" elements of the
// controls; and the models' panel lists. The form builds, lays out, loads, saves and re-texts its
// panels from these tables only.
#pragma once

#include "gateway/UParGen.h"

#include <span>

template <class T> using TFormMember = T* TFParGen::*;

// One control of a row: its name, the form member it is built into, its hint text (-1: none), its
// design value and default (edit text; "1"/"0" for a check box; the item index for a combo box) and
// its element (nullptr: never loaded or stored). Read = false: the load does not look the element up
// and sets the default. Caption: a fixed caption that no language changes (check boxes of a Boxes
// row).
template <class T> struct TParControl {
    const char* Name = nullptr;
    TFormMember<T> Member = nullptr;
    int Hint = -1;
    const char* Default = "";
    const char* Element = nullptr;
    bool Read = true;
    const char* Caption = nullptr;
};

// The member and its name from one identifier, so the tables name each control once.
#define PARGEN_CONTROL(name) #name, &TFParGen::name

enum class TRowKind {
    Edit,      // label, edit in the control column
    Octets,    // label, four octet edits with "." labels between them
    Check,     // a check box alone
    Combo,     // label, drop-down list
    Gateway,   // a check box at the label's place, four octet edits in the control column
    CheckEdit, // a check box at the label's place, one edit in the control column
    Memo,      // label, multi-line edit in the control column
    Boxes,     // label, up to three check boxes side by side with fixed captions
    Title,     // a label alone
};

// One row of a panel. Elements are stored in row order: the edits, then the check box, then the
// combo box.
struct TParRow {
    TRowKind Kind;
    const char* Label = nullptr; // the label's name (rows with a label)
    int Caption = -1;            // text of the label, or of the check box
    std::array<TParControl<TEdit>, 4> Edits{};
    TParControl<TCheckBox> Check{};
    TParControl<TComboBox> Combo{};
    TParControl<TMemo> Memo{};
    std::array<TParControl<TCheckBox>, 3> Boxes{};
    // The list's design items. With ItemText set, Set_Lang rebuilds them from the texts ItemText ..
    // ItemText + Items.size() - 1 and selects the first; otherwise they are fixed, never translated.
    std::span<const char* const> Items{};
    int ItemText = -1;
    int MaxLength = 0;
    bool DigitsOnly = false;
    bool Disabled = false; // at design, and nothing enables it
    bool Hidden = false;   // at design, for good, and bound to no event: nothing uses it
    int Raise = 3;         // how far the fields sit above the row position
};

struct TParPanel {
    const char* Name;
    TFormMember<TCategoryPanel> Member;
    int Title;
    std::span<const TParRow> Rows;
    // The control whose bottom sets the panel's height; nullptr where the panel's rule names it.
    const char* Deciding;
    void (TFParGen::*RePosition)(); // the panel's RePosition_Object_<panel>
};

// Every panel of the form, in creation order.
std::span<const TParPanel> ParGen_Panels();

// The panels one model shows, in shown order (their position is the number in the title), and the
// model's own rule, applied after the panels' rules (nullptr: none).
struct TParModel {
    const char* Model;
    std::span<const TFormMember<TCategoryPanel>> Panels;
    void (TFParGen::*Rule)() = nullptr;
};
// The family's 27 models, in model order.
std::span<const TParModel> ParGen_Models();
// The model of that name; raises EListError for a name outside the family.
const TParModel& ParGen_Model(const QString& model);

// The senders whose change (combo boxes) or click (check boxes) re-lays the panels out.
std::span<const char* const> ParGen_Change_Triggers();
std::span<const char* const> ParGen_Click_Triggers();

// The two "." chains of the address octets: each edit passes the focus to the next.
std::span<const std::span<const TFormMember<TEdit>>> ParGen_Octet_Chains();
