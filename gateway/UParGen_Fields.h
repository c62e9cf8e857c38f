// The panels of the communication-parameters form as data: one descriptor per category panel, each
// with its rows of label and controls, the texts, defaults and "ParGen.xml" elements of the
// controls; and the models' panel lists. The form builds, lays out, loads, saves and re-texts its
// panels from these tables only.
#pragma once

#include "gateway/UParGen.h"

#include <span>

template <class T> using TFormMember = T* TFParGen::*;

// One control of a row: its name, the form member it is built into, its hint text, its default
// (edit text; "1"/"0" for a check box; the item index for a combo box) and its element (nullptr:
// not stored). Read = false: the load does not look the element up and sets the default.
template <class T> struct TParControl {
    const char* Name = nullptr;
    TFormMember<T> Member = nullptr;
    int Hint = -1;
    const char* Default = "";
    const char* Element = nullptr;
    bool Read = true;
};

// The member and its name from one identifier, so the tables name each control once.
#define PARGEN_CONTROL(name) #name, &TFParGen::name

enum class TRowKind {
    Edit,    // label, edit in the control column
    Octets,  // label, four octet edits with "." labels between them
    Check,   // a check box alone
    Combo,   // label, fixed drop-down list
    Gateway, // a check box at the label's place, four octet edits in the control column
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
    std::span<const char* const> Items{}; // fixed, never translated
    int MaxLength = 0;
    bool DigitsOnly = false;
};

struct TParPanel {
    const char* Name;
    TFormMember<TCategoryPanel> Member;
    int Title;
    std::span<const TParRow> Rows;
    const char* Deciding; // the control whose bottom sets the panel's height
};

// Every panel of the form, in creation order.
std::span<const TParPanel> ParGen_Panels();

// The panels one model shows, in shown order (their position is the number in the title).
struct TParModel {
    const char* Model;
    std::span<const TFormMember<TCategoryPanel>> Panels;
};
const TParModel& ParGen_Model_GW101();

// The senders whose change (combo boxes) or click (check boxes) re-lays the panels out.
std::span<const char* const> ParGen_Change_Triggers();
std::span<const char* const> ParGen_Click_Triggers();

// The two "." chains of the address octets: each edit passes the focus to the next.
std::span<const std::span<const TFormMember<TEdit>>> ParGen_Octet_Chains();
