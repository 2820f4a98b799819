#pragma once

#include <QLocale>

// Texts that several places show alike.
namespace Texts {

// A number of bytes as the program shows sizes everywhere, such as "1.5 MB": in powers of
// 1000, as the desktop's file manager and du --si count them.
inline QString size(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// A count in words, in T's translation context. The English singular is a text of its own:
// without a translation "%n file(s)" would reach the user as it stands. The plural goes
// through tr() with %n, so that each translation carries its own plural forms. Mark the texts
// with QT_TR_NOOP and QT_TR_N_NOOP (or their QT_TRANSLATE_ forms) for lupdate.
template<typename T> QString plural(int n, const char *one, const char *many)
{
    return n == 1 ? T::tr(one) : T::tr(many, nullptr, n);
}

} // namespace Texts
