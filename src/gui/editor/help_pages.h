#pragma once
// The editor window's reading pages: "rules" (the command characters), "syntax" (the file
// format) and "about" (with a picture that opens a link).

#include <functional>

class QWidget;

namespace pax {

QWidget* MakeRulesPage();
QWidget* MakeSyntaxPage();
// openLink runs when the picture is clicked.
QWidget* MakeAboutPage(std::function<void()> openLink);

}  // namespace pax
