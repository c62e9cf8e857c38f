// TExtStringGridCheck: the neutral cell checker.
#include "grid/edit/EsgCheck.h"

QString TExtStringGridCheck::MarkError(int, int, const QString& S)
{
    return S;
}

QString TExtStringGridCheck::Correct(int, int, const QString& S)
{
    return S;
}

void TExtStringGridCheck::StartCheck() {}

void TExtStringGridCheck::StopCheck() {}
