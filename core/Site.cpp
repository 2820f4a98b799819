#include "Site.h"

#include "Config.h"

namespace Site {

QUrl address(const QString &path)
{
    QString base = QStringLiteral(TROVELLA_SITE);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + path);
}

QUrl advertisementPage()
{
    return address(QStringLiteral("/product/Trovella/EmbededAdvertise/TrovellaAdv.htm"));
}

QUrl fileTypeGroupStore()
{
    return address(QStringLiteral("/product/Trovella/Download/FileTypeGroup"));
}

} // namespace Site
