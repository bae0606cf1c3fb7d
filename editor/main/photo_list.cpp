#include "photo_list.h"

namespace tamarie {

void TPhotoList::Reset(TImage *photo, const QString &fileName)
{
    ImgPicture = {photo};
    ImageFileName = {fileName};
    ImgCount = 1;
    SelectedImgPictureNo = 0;
}

int TPhotoList::Append(TImage *photo)
{
    ImgPicture.append(photo);
    ImageFileName.append(QString());
    ImgCount = int(ImgPicture.size());
    return ImgCount - 1;
}

TImage *TPhotoList::TakeLast()
{
    if (ImgPicture.isEmpty())
        return nullptr;
    TImage *last = ImgPicture.takeLast();
    ImageFileName.removeLast();
    ImgCount = int(ImgPicture.size());
    if (SelectedImgPictureNo >= ImgCount)
        SelectedImgPictureNo = ImgCount - 1;
    return last;
}

void TPhotoList::SetFileName(int i, const QString &name)
{
    if (i >= 0 && i < ImageFileName.size())
        ImageFileName[i] = name;
}

} // namespace tamarie
