#include "ui/Layout.h"

#include <QGuiApplication>

namespace lumitag::ui {

namespace {

constexpr int kArabic = 13;
constexpr int kPersian = 14;

}  // namespace

bool IsRightToLeftLanguage(int languageIndex)
{
    return languageIndex == kArabic || languageIndex == kPersian;
}

void ApplyLanguageDirection(int languageIndex)
{
    QGuiApplication::setLayoutDirection(IsRightToLeftLanguage(languageIndex) ? Qt::RightToLeft : Qt::LeftToRight);
}

}  // namespace lumitag::ui
