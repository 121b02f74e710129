#include "gui/images/LogoResource.h"

#include "core/images/Qga.h"

#include <QFile>

// Resources compiled into a static library are registered only when asked for by name.
static void InitLogoResources() {
    Q_INIT_RESOURCE(logos);
}

namespace tessemar {

bool LoadLogoResource(Surface& surface, int id) {
    InitLogoResources();
    QFile file(QStringLiteral(":/QGA/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return LoadQga(surface, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size()))) == QgaOk;
}

}  // namespace tessemar
