#pragma once

#include <functional>

// Installs the application directory's first translation while retranslate re-texts a form;
// the translator is removed again before this returns.
void applyTranslation(const std::function<void()> &retranslate);
