// Saves one kind of file the way the editor does, once, COUNT times or over
// and over until it is killed, alternating two versions of the content.
//   tamarie_save_probe KIND DIR VERSION [loop|COUNT]
// KIND: config (Config.ini through the day data), workstate (a work-state
// file and its thirteen font files), png, bmp, jpg; or newdays, an editor
// storing a schedule on a new day at every save (VERSION tells the editors
// apart: days VERSION * 1000 + i from 2030-01-01, text "VERSION-i").  Prints
// "ready" before the first save; exits 1 when a save fails.
#include "day_data.h"
#include "dialogs.h"
#include "font_record.h"
#include "ini_file.h"
#include "output/picture_files.h"
#include "work_state_format.h"

#include <QDate>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace tamarie;

namespace {

bool SaveConfig(const QString &dir, int version)
{
    TDayData data;
    data.SetConfigPath(dir + "/Config.ini");
    for (int i = 0; i < 40; ++i)
        data.StoreSchedule(DateToValue(QDate(2026, 1, 1).addDays(i)),
                           version ? QStringLiteral("予定 %1 会議と打ち合わせ").arg(i) : QStringLiteral("ﾐｽ%1").arg(i),
                           version ? i % 5 : 1);
    return data.WriteSchedules();
}

// An editor's store of a schedule on a day nobody has used yet.
bool StoreNewDay(TDayData &data, const QString &dir, int editor, int i)
{
    if (data.ConfigPath().isEmpty()) {
        data.SetConfigPath(dir + "/Config.ini");
        data.LoadConfig();
    }
    data.StoreSchedule(DateToValue(QDate(2030, 1, 1).addDays(editor * 1000 + i)), QStringLiteral("%1-%2").arg(editor).arg(i),
                       1);
    return data.WriteSchedules();
}

// What the editor's save command does after taking the arrangement from its windows.
bool SaveWorkState(const QString &dir, int version)
{
    const QString path = dir + "/plan.ini";
    WorkState state;
    state.month = DateToValue(QDate(2026, version ? 4 : 1, 1));
    state.months = 12;
    for (int n = 1; n <= 12; ++n) {
        WorkStateCalendar c;
        c.window = QRect(version ? 1000 + n : n, 40 * n, 300 + version, 250);
        c.backColor = version ? 0x00FFFF : clWhite;
        c.font.status = FontRecordStatus::Ok;
        c.font.record.Name = version ? QStringLiteral("ＭＳ Ｐゴシック") : QStringLiteral("Tahoma");
        c.font.record.Size = version ? 20 + n : 9;
        state.calendars.push_back(c);
    }
    for (int i = 0; i < 20; ++i)
        state.photos.push_back({QRect(i, i, 200, 150),
                                version ? QStringLiteral("/写真/旅行/%1.jpg").arg(i) : QStringLiteral("/p/%1.png").arg(i)});
    state.commonFont = state.calendars.front().font;
    IniFile ini;
    if (!ini.Load(path))
        return false;
    WriteWorkState(ini, state);
    if (!ini.Save())
        return false;
    const auto fonts = WorkStateFontFiles(path, state);
    return WriteFontRecordFiles(fonts, nullptr) == int(fonts.size());
}

bool SavePicture(const QString &dir, const char *kind, int version)
{
    QImage picture(800, 600, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7 + y * version) & 255, (y * 5 + x) & 255, ((x ^ y) + 99 * version) & 255));
    const PictureFormat format = std::strcmp(kind, "png") == 0   ? PictureFormat::Png
                                 : std::strcmp(kind, "jpg") == 0 ? PictureFormat::Jpeg
                                                                 : PictureFormat::Bmp;
    return WritePicture(picture, dir + "/cal." + kind, format, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const char *kind = argv[1];
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const int editor = std::atoi(argv[3]);
    int version = editor & 1;
    const bool loop = argc > 4 && std::strcmp(argv[4], "loop") == 0;
    const int count = argc > 4 && !loop ? std::max(1, std::atoi(argv[4])) : 1;
    dialogs::BeginScript(); // a failure is recorded, never shown
    std::printf("ready\n");
    std::fflush(stdout);
    TDayData days;
    for (int i = 0; loop || i < count; ++i) {
        const bool ok = std::strcmp(kind, "newdays") == 0     ? StoreNewDay(days, dir, editor, i)
                        : std::strcmp(kind, "config") == 0    ? SaveConfig(dir, version)
                        : std::strcmp(kind, "workstate") == 0 ? SaveWorkState(dir, version)
                                                              : SavePicture(dir, kind, version);
        if (!ok)
            return 1;
        version ^= 1;
    }
    return 0;
}
