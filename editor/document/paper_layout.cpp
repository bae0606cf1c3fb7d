#include "paper_layout.h"

#include "values.h"

#include <algorithm>

namespace tamarie {

namespace {
constexpr double kPaperRatio = 1.4;
constexpr double kPaperShare = 0.767;  // share of the client width the paper may take
constexpr int kConfigRightGap = 10;
constexpr int kPaperConfigGap = 5;

int scaled(int value, float factor) { return RoundHalfEven(static_cast<double>(value) * static_cast<double>(factor)); }
} // namespace

PaperLayout ResizePaperLayout(QSize client, int configWidth, PaperOrientation orientation)
{
    PaperLayout layout;
    layout.configLeft = client.width() - configWidth - kConfigRightGap;
    const int fromWidth = RoundHalfEven(client.width() * kPaperShare);
    int width = 0;
    int height = 0;
    if (orientation == PaperOrientation::Portrait) {
        height = fromWidth;
        if (client.height() < height)
            height = client.height();
        width = RoundHalfEven(height / kPaperRatio);
    } else {
        width = fromWidth;
        if (layout.configLeft - kPaperConfigGap < width)
            width = layout.configLeft - kPaperConfigGap;
        height = RoundHalfEven(width / kPaperRatio);
    }
    layout.paper = QSize(std::max(1, width), std::max(1, height));
    return layout;
}

QSize FitPhotoToPaper(QSize photo, QSize paper)
{
    QSize fitted = photo;
    if (fitted.width() > paper.width() - kPhotoPaperMargin)
        fitted.setWidth(paper.width() - kPhotoPaperMargin);
    if (fitted.height() > paper.height() - kPhotoPaperMargin)
        fitted.setHeight(paper.height() - kPhotoPaperMargin);
    return fitted;
}

QSize FitCalendarToPaper(QSize outer, QSize paper)
{
    return QSize(std::min(outer.width(), paper.width()), std::min(outer.height(), paper.height()));
}

PaperScale ComputePaperScale(QSize newPaper, QSize previousPaper)
{
    PaperScale scale;
    if (previousPaper.width() > 0)
        scale.fx = static_cast<float>(newPaper.width()) / static_cast<float>(previousPaper.width());
    if (previousPaper.height() > 0)
        scale.fy = static_cast<float>(newPaper.height()) / static_cast<float>(previousPaper.height());
    return scale;
}

QRect ScalePhoto(const QRect &photo, PaperScale scale, QSize paper)
{
    const int width = scaled(photo.width(), scale.fx);
    const int height = scaled(photo.height(), scale.fy);
    int left = scaled(photo.left(), scale.fx);
    int top = scaled(photo.top(), scale.fy);
    if (left < 0 || left >= paper.width() || top < 0 || top >= paper.height()) {
        left = (paper.width() - width) / 2;
        top = (paper.height() - height) / 2;
    }
    return QRect(left, top, width, height);
}

QRect ScaleCalendar(const QRect &calendar, PaperScale scale, const QRect &mainFrame)
{
    const int width = scaled(calendar.width(), scale.fx);
    const int height = scaled(calendar.height(), scale.fy);
    int left = scaled(calendar.left(), scale.fx);
    int top = scaled(calendar.top(), scale.fy);
    if (left < mainFrame.left() || left > mainFrame.left() + mainFrame.width() - 20)
        left = mainFrame.left() + 50;
    if (top < mainFrame.top() || top > mainFrame.top() + mainFrame.height() - 20)
        top = mainFrame.top() + 50;
    return QRect(left, top, width, height);
}

QRect PlacePhotoOnPaper(const PaperPlace &place, QSize paper)
{
    QRect r = RectOf(place, paper);
    r.setSize(FitPhotoToPaper(r.size(), paper));
    if (r.left() < 0 || r.left() >= paper.width() || r.top() < 0 || r.top() >= paper.height())
        r.moveTopLeft(QPoint((paper.width() - r.width()) / 2, (paper.height() - r.height()) / 2));
    return r;
}

QRect PlaceCalendarOnPaper(const PaperPlace &place, QSize paper)
{
    QRect r = RectOf(place, paper);
    r.setSize(FitCalendarToPaper(r.size(), paper));
    r.moveLeft(std::clamp(r.left(), 0, std::max(0, paper.width() - r.width())));
    r.moveTop(std::clamp(r.top(), 0, std::max(0, paper.height() - r.height())));
    return r;
}

} // namespace tamarie
