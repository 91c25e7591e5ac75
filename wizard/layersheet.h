#pragma once

#include "wizard/rundata.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kobalin {

// The layer sheet for a site folder, as PDF: the reference model, the layer
// file and the date, the comment lines written, the cross-section, every layer
// with its offset, lift and targets in the units the tree shows, and a block
// for who prepared and who checked it. One A4 page; a table longer than the
// page goes on over further pages rather than shrink past reading.
QByteArray layerSheetPdf(const RunData& run, std::int32_t taal, const QString& model, const QString& layerFile,
                         const QString& date);

}  // namespace kobalin
