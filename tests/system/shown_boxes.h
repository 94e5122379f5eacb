#pragma once
// The boxes a test's presenter showed, each as "caption | text", so that a test states the
// whole sequence of messages in one comparison.

#include <string>
#include <vector>

#include "support/scripted_presenter.h"

namespace pax::testing {

using Texts = std::vector<std::string>;

inline Texts BoxTexts(const ScopedPresenter& boxes) {
    Texts texts;
    for (const MessageRequest& box : boxes.Shown()) texts.push_back(box.caption + " | " + box.text);
    return texts;
}

}  // namespace pax::testing
