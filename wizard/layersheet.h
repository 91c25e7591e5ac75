#pragma once

#include "wizard/rundata.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kobalin {

// The layer sheet for a site folder, as PDF: the reference model, the layer
// file and the date, the comment lines, every layer with its seven values in
// the units the tree shows, and the cross-section. One A4 page; a table longer
// than the page goes on over further pages rather than shrink past reading.
QByteArray layerSheetPdf(const RunData& run, std::int32_t taal, const QString& model, const QString& layerFile,
                         const QString& date);

}  // namespace kobalin
