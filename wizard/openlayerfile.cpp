#include "wizard/openlayerfile.h"

#include "app/prompts.h"
#include "app/qtext.h"
#include "wizard/paths.h"

namespace kobalin {

std::optional<OpenedLayerFile> openLayerFile(QWidget* parent, const QString& path, std::int32_t taal)
{
    std::optional<std::string> bytes = readPlainFile(nativePath(us(path)));
    if (!bytes) {
        prompts().error(parent, catalogue(taal, 58) + path);
        return std::nullopt;
    }
    LayerFileReading reading = readLayerFile(*bytes);
    if (reading.errorLine > 0) {
        prompts().error(parent, qs(refusalMessage(reading, taal)));
        return std::nullopt;
    }
    return OpenedLayerFile{std::move(*bytes), std::move(reading)};
}

}  // namespace kobalin
