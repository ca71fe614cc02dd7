// The readable form of a report: the field tree with offsets, widths and
// raw bytes in columns, then the effects, the notes and the verdict.
#pragma once

#include <iosfwd>

#include "tools/orvane-inspect/DecodeTree.h"

namespace orvane::inspect {

void WriteReportText(std::ostream& out, const Json& report);

}  // namespace orvane::inspect
