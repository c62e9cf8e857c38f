// The program's forms as program start knows them: one global instance each, created once in a fixed
// order (the main window first: every other form relies on what its start-up prepared), shown modally
// from the main window by instance name, re-texted in their own fixed order by a language switch, and
// destroyed when the program ends.
//
// A form joins by giving its row in UFormOrder.cpp a creator (Form_Entry<TFxxx, Fxxx>); rows without
// one are forms still to be built, and every step below passes over them.
#pragma once

#include <QString>
#include <span>

class TForm;

struct TFormEntry {
    const char* Name; // global instance name, "FNew_Project"
    void (*Create)(); // nullptr: not built yet; the application owns what it creates
    void (*Destroy)();
    TForm* (*Instance)();
    void (*Set_Lang)(); // nullptr: no texts of the table (the about box)
};

// All 42 forms in the order of creation.
std::span<const TFormEntry> Form_Creation_Order();
// Instance names in the order of Change_Language (every form with texts, the main window first).
std::span<const char* const> Language_Order();

// Creates every built form in order, the first as the application's main form; the main window's
// start-up takes `programFolder` as the program's folder ("" = the folder of the program file).
void Create_Forms(const QString& programFolder);
// Destroys them, last created first, and empties their instance pointers.
void Destroy_Forms();
// The created instance of a form, or nullptr (unknown, not built, or not created).
TForm* Find_Form(const QString& name);
// Set_Lang of every created form in Language_Order.
void Set_Lang_Of_Forms();
