#pragma once
// The arguments of tamarie-render: WORKSTATE OUT [--width N] [--config CONFIG.ini].
#include <QString>
#include <QStringList>

namespace tamarie::render {

enum class OutputKind { Png, Jpeg, Bmp, Pdf };

struct Request {
    QString workState;
    QString out;
    OutputKind kind = OutputKind::Png;
    int width = 0;           // picture width in pixels; 0: the editor's picture (PDF: ignored)
    QString config;          // empty: the user's Config.ini
    QString error;           // not empty: bad arguments (exit 2)
    bool help = false;
};

// Widths accepted for --width.
constexpr int kMinWidth = 16;
constexpr int kMaxWidth = 6000;

// args without the program name.
Request ParseArguments(const QStringList &args);
QString Usage();

} // namespace tamarie::render
