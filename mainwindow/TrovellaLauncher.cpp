#include "Trovella.h"

// Not built yet: opening addresses in the external browser.
void Trovella::viewPickResult() { }

void Trovella::SetWebViewUrl(QUrl url) { Q_UNUSED(url); }
