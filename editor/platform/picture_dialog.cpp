#include "picture_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

namespace tamarie::dialogs {

namespace {

constexpr int kPreviewSide = 200;

void ShowPreview(QLabel *preview, const QString &path, const PicturePreview &make)
{
    preview->setPixmap(QPixmap());
    preview->setText(QString());
    if (!QFileInfo(path).isFile() || !make)
        return;
    const QImage image = make(path, QSize(kPreviewSide, kPreviewSide));
    if (image.isNull()) {
        preview->setText(QStringLiteral("表示できません"));
        return;
    }
    preview->setPixmap(QPixmap::fromImage(image));
}

} // namespace

FileAnswer OpenPicture(const QString &title, const QString &filters, const QString &dir, QWidget *parent,
                       const PicturePreview &make)
{
    if (Scripted()) {
        Record(title);
        const QVariant v = TakeAnswer();
        return v.canConvert<FileAnswer>() ? v.value<FileAnswer>() : FileAnswer{QString(), 0};
    }
    QFileDialog dlg(parent, title, dir, filters);
    // Qt's own dialog, so the preview can sit beside the file list.
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    auto *preview = new QLabel(&dlg);
    preview->setObjectName(QStringLiteral("PicturePreview"));
    preview->setFixedSize(kPreviewSide + 8, kPreviewSide + 8);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(dlg.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dlg, &QFileDialog::currentChanged, preview,
                     [preview, make](const QString &path) { ShowPreview(preview, path, make); });
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {QString(), 0};
    const int index = static_cast<int>(filters.split(QStringLiteral(";;")).indexOf(dlg.selectedNameFilter())) + 1;
    return {dlg.selectedFiles().first(), index};
}

} // namespace tamarie::dialogs
