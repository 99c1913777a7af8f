#include "app/ToolbarImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {
const char* const kUserImagesFile = "UserImages.bmp";
}

bool CToolBarImages::Load(const QString& path, QString& sError)
{
    m_vImages.clear();
    m_sPath = path;
    QImageReader reader(path, "bmp");
    // The size is checked before any pixel is read: a damaged header may claim a huge picture.
    const QSize size = reader.size();
    if (!size.isValid()) {
        sError = reader.errorString();
        return false;
    }
    if (size.height() > kMaxImageHeight || size.width() < kImageWidth || size.width() / kImageWidth > kMaxImages) {
        sError = QStringLiteral("it is %1 x %2 pixels, not a row of images %3 pixels wide and at most %4 high")
                     .arg(size.width())
                     .arg(size.height())
                     .arg(kImageWidth)
                     .arg(kMaxImageHeight);
        return false;
    }
    const QImage strip = reader.read();
    if (strip.isNull()) {
        sError = reader.errorString();
        return false;
    }
    const int nCount = strip.width() / kImageWidth;
    m_vImages.reserve(static_cast<std::size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        m_vImages.push_back(QPixmap::fromImage(strip.copy(i * kImageWidth, 0, kImageWidth, strip.height())));
    return true;
}

QPixmap CToolBarImages::GetImage(int nImage) const
{
    return nImage >= 0 && nImage < GetCount() ? m_vImages[static_cast<std::size_t>(nImage)] : QPixmap();
}

QString FindUserImagesFile()
{
    for (const QString& dir : {QDir::currentPath(), QCoreApplication::applicationDirPath()}) {
        const QFileInfo file(QDir(dir), QString::fromLatin1(kUserImagesFile));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}
