#include "render_args.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace tamarie::render {

namespace {

bool KindOf(const QString &path, OutputKind *kind)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("png"))
        *kind = OutputKind::Png;
    else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        *kind = OutputKind::Jpeg;
    else if (ext == QLatin1String("bmp"))
        *kind = OutputKind::Bmp;
    else if (ext == QLatin1String("pdf"))
        *kind = OutputKind::Pdf;
    else
        return false;
    return true;
}

} // namespace

QString Usage()
{
    return QStringLiteral("使い方: tamarie-render WORKSTATE OUT [--width N] [--config CONFIG.ini]\n"
                          "  OUT の拡張子 (.png .jpg .bmp .pdf) で形式を選びます。\n"
                          "  --width N     画像の幅 (ピクセル、既定: 縦 2000、横 2800)\n"
                          "  --config FILE 予定と休日の設定ファイル (既定: 利用者の Config.ini)\n");
}

Request ParseArguments(const QStringList &args)
{
    Request r;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption width(QStringLiteral("width"), QString(), QStringLiteral("N"));
    const QCommandLineOption config(QStringLiteral("config"), QString(), QStringLiteral("CONFIG.ini"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(width);
    parser.addOption(config);
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("tamarie-render")} + args)) {
        r.error = parser.errorText();
        return r;
    }
    if (parser.isSet(help)) {
        r.help = true;
        return r;
    }
    const QStringList pos = parser.positionalArguments();
    if (pos.size() != 2) {
        r.error = QStringLiteral("作業状態ファイルと出力ファイルを指定してください。");
        return r;
    }
    r.workState = pos[0];
    r.out = pos[1];
    if (!KindOf(r.out, &r.kind)) {
        r.error = QStringLiteral("出力ファイルの拡張子は .png .jpg .bmp .pdf のいずれかにしてください。");
        return r;
    }
    if (parser.isSet(width)) {
        bool ok = false;
        const int n = parser.value(width).toInt(&ok);
        if (!ok || n < kMinWidth || n > kMaxWidth) {
            r.error = QStringLiteral("--width には %1 から %2 までの数を指定してください。").arg(kMinWidth).arg(kMaxWidth);
            return r;
        }
        r.width = n;
    }
    if (parser.isSet(config))
        r.config = parser.value(config);
    return r;
}

} // namespace tamarie::render
