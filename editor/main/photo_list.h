#pragma once
// The photos of the paper as one list: photo i's control and its file name
// at index i, the count and the selection, kept in step by the operations
// below (ImgCount is always the number of photos).  The controls belong to
// the paper; the list only refers to them.
#include <QString>
#include <QVector>

namespace tamarie {

class TImage;

class TPhotoList {
public:
    QVector<TImage *> ImgPicture;
    QVector<QString> ImageFileName;
    int ImgCount = 0;
    int SelectedImgPictureNo = -1;

    // One photo showing fileName, selected.
    void Reset(TImage *photo, const QString &fileName);
    // photo at the end, without a file; returns its index.
    int Append(TImage *photo);
    // The last photo leaves the list with its name; the caller deletes the control.
    TImage *TakeLast();

    TImage *At(int i) const { return ImgPicture.value(i); }
    QString FileName(int i) const { return ImageFileName.value(i); }
    void SetFileName(int i, const QString &name);
    bool InStep() const { return ImgCount == ImgPicture.size() && ImgCount == ImageFileName.size(); }
};

} // namespace tamarie
