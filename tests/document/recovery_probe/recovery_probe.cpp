// Writes the recovery copy in a folder over and over, as an editor that was
// given the copy left there would, and prints each version once it is written.
//   tamarie_recovery_probe FOLDER
#include <QCoreApplication>
#include <cstdio>

#include "probe_work.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    std::unique_ptr<tamarie::RecoveryCopy> copy = tamarie::RecoveryCopy::TakeLeft(folder);
    int version = 0;
    if (copy) {
        const auto content = copy->Read();
        version = content ? int(content->state.paperColor) : 0;
    } else {
        copy = tamarie::RecoveryCopy::Create(folder);
    }
    if (!copy)
        return 1;
    std::printf("start %d\n", version);
    std::fflush(stdout);
    for (;;) {
        ++version;
        if (!copy->Write(ProbeWork(version)))
            return 1;
        std::printf("%d\n", version);
        std::fflush(stdout);
    }
}
