#pragma once
// The images the user may give to toolbar buttons: a strip of 16-pixel-wide pictures side
// by side in one bitmap file, "UserImages.bmp".
#include <QPixmap>
#include <QString>
#include <vector>

class CToolBarImages {
public:
    static constexpr int kImageWidth = 16;
    static constexpr int kMaxImageHeight = 64;
    static constexpr int kMaxImages = 1000;

    // Reads the strip; false, with the images left empty and the reason in sError, when
    // the file is missing or is not a strip of images.
    bool Load(const QString& path, QString& sError);
    bool IsValid() const { return !m_vImages.empty(); }
    int GetCount() const { return static_cast<int>(m_vImages.size()); }
    // The image, or a null pixmap outside the strip.
    QPixmap GetImage(int nImage) const;
    const QString& GetPath() const { return m_sPath; }

private:
    std::vector<QPixmap> m_vImages;
    QString m_sPath;
};

// Where "UserImages.bmp" is looked for: the working folder, then the program's folder. The
// first of them that exists, or empty.
QString FindUserImagesFile();
