// The mark that start-up benchmarks wait for: "painted" on standard output once a program's
// window has been painted, written only when the environment variable TRIMORA_PAINTED_MARK
// is set.
#pragma once

class QWidget;

namespace trimora {

// Writes the mark now (when TRIMORA_PAINTED_MARK is set).
void ReportPaintedMark();

// Writes the mark once, after `window` and its children have been painted for the first time
// (when TRIMORA_PAINTED_MARK is set; otherwise nothing is watched).
void ReportFirstPaint(QWidget& window);

}  // namespace trimora
