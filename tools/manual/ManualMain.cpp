// Builds the user manual: the Markdown chapters of a folder, laid out by Qt's own text
// engine and written as one PDF with a title page, a contents list, running heads and
// "Page %d of %d" footers like the program's printouts.
//
// Usage: qel_manual SOURCE_FOLDER OUTPUT.pdf VERSION
//
// The chapters are the files NN-name.md of the folder in name order (README.md is the
// index for the repository page and is left out). Every picture they name must exist:
// a manual with a hole in it is a failed build, not a warning.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QAbstractTextDocumentLayout>
#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const QString kTitle = QStringLiteral("QEL User Manual");
const QString kSans = QStringLiteral("DejaVu Sans");
const QString kMono = QStringLiteral("DejaVu Sans Mono");
const QColor kHeadingColour(0x1f, 0x3b, 0x63);
const QColor kRuleColour(0xa0, 0xa8, 0xb4);
const QColor kGridColour(0xb8, 0xbe, 0xc8);
const QColor kHeaderFill(0xe6, 0xea, 0xf0);
const QColor kQuietText(0x55, 0x5d, 0x68);

// Page geometry of A4, in millimetres.
constexpr double kMarginSide = 20;
constexpr double kMarginTop = 24;
constexpr double kMarginBottom = 22;
constexpr double kHeadAt = 13; // baseline of the running head, from the top edge
constexpr double kFootAt = 12; // baseline of the page number, from the bottom edge

// Text formats measure in pixels of a 96 dpi screen; the layout scales them to the PDF.
constexpr double kFormatDpi = 96;

// The manual's sans font at a size; without ligatures (see Prepare).
QFont SansFont(double points, bool bBold = false)
{
    QFont f(kSans);
    f.setPointSizeF(points);
    f.setBold(bBold);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

struct Failure {
    QString text;
};

// The text engine draws a paragraph that runs over a page break from the line above the
// page's top, and may draw the first line of the next page too: clipped on paper, but the
// PDF keeps their words, so a search found the last line of a page again at the top of the
// next. This device passes a page's drawing on to the PDF's painter and leaves out every
// piece of text whose baseline lies outside the page's text area; all else goes through.
class PageEngine : public QPaintEngine {
public:
    PageEngine(QPainter& target, const QRectF& textArea)
        : QPaintEngine(QPaintEngine::AllFeatures),
          m_Target(target),
          m_TextArea(textArea),
          m_BaseClip(target.clipPath()),
          m_BaseTransform(target.worldTransform())
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags f = s.state();
        if (f & DirtyPen)
            m_Target.setPen(s.pen());
        if (f & DirtyBrush)
            m_Target.setBrush(s.brush());
        if (f & DirtyBrushOrigin)
            m_Target.setBrushOrigin(s.brushOrigin());
        if (f & DirtyFont)
            m_Target.setFont(s.font());
        if (f & DirtyBackground)
            m_Target.setBackground(s.backgroundBrush());
        if (f & DirtyBackgroundMode)
            m_Target.setBackgroundMode(s.backgroundMode());
        if (f & DirtyHints)
            SetHints(s.renderHints());
        if (f & DirtyCompositionMode)
            m_Target.setCompositionMode(s.compositionMode());
        if (f & DirtyOpacity)
            m_Target.setOpacity(s.opacity());
        if (f & DirtyTransform)
            m_Target.setWorldTransform(s.transform() * m_BaseTransform);
        // The page's own clip always stays: a clip of the drawing narrows it, never widens it.
        if (f & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
            const QTransform now = m_Target.worldTransform();
            m_Target.setWorldTransform(m_BaseTransform);
            m_Target.setClipPath(m_BaseClip);
            m_Target.setWorldTransform(now);
            if (s.isClipEnabled() && s.clipOperation() != Qt::NoClip) {
                if (f & DirtyClipRegion)
                    m_Target.setClipRegion(s.clipRegion(), Qt::IntersectClip);
                else
                    m_Target.setClipPath(s.clipPath(), Qt::IntersectClip);
            }
        }
    }

    // A painter tells its engine only what changes after it begins: the PDF's painter starts
    // out as the page's painter is, so that what it takes for unchanged is so.
    void Mirror(const QPainter& source)
    {
        m_Target.setPen(source.pen());
        m_Target.setBrush(source.brush());
        m_Target.setBrushOrigin(source.brushOrigin());
        m_Target.setFont(source.font());
        m_Target.setBackground(source.background());
        m_Target.setBackgroundMode(source.backgroundMode());
        SetHints(source.renderHints());
        m_Target.setCompositionMode(source.compositionMode());
        m_Target.setOpacity(source.opacity());
        m_Target.setWorldTransform(source.worldTransform() * m_BaseTransform);
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const double baseline = m_Target.deviceTransform().map(p).y();
        if (baseline < m_TextArea.top() || baseline > m_TextArea.bottom())
            return;
        m_Target.drawTextItem(p, item);
    }

    void drawPath(const QPainterPath& path) override { m_Target.drawPath(path); }
    void drawRects(const QRectF* rects, int n) override { m_Target.drawRects(rects, n); }
    void drawRects(const QRect* rects, int n) override { m_Target.drawRects(rects, n); }
    void drawLines(const QLineF* lines, int n) override { m_Target.drawLines(lines, n); }
    void drawLines(const QLine* lines, int n) override { m_Target.drawLines(lines, n); }
    void drawEllipse(const QRectF& r) override { m_Target.drawEllipse(r); }
    void drawEllipse(const QRect& r) override { m_Target.drawEllipse(r); }
    void drawPoints(const QPointF* points, int n) override { m_Target.drawPoints(points, n); }
    void drawPoints(const QPoint* points, int n) override { m_Target.drawPoints(points, n); }
    void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override
    {
        switch (mode) {
        case PolylineMode: m_Target.drawPolyline(points, n); break;
        case ConvexMode: m_Target.drawConvexPolygon(points, n); break;
        case OddEvenMode: m_Target.drawPolygon(points, n, Qt::OddEvenFill); break;
        case WindingMode: m_Target.drawPolygon(points, n, Qt::WindingFill); break;
        }
    }
    void drawPolygon(const QPoint* points, int n, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < n; ++i)
            polygon << QPointF(points[i]);
        drawPolygon(polygon.constData(), n, mode);
    }
    // A picture wholly off the page would be kept in the file, unseen.
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override
    {
        if (OnPage(r))
            m_Target.drawPixmap(r, pm, sr);
    }
    void drawTiledPixmap(const QRectF& r, const QPixmap& pm, const QPointF& s) override
    {
        if (OnPage(r))
            m_Target.drawTiledPixmap(r, pm, s);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags flags) override
    {
        if (OnPage(r))
            m_Target.drawImage(r, image, sr, flags);
    }

private:
    // More than a device pixel of it on the page: a picture pushed to the next page may
    // touch this one's foot to within rounding.
    bool OnPage(const QRectF& r) const
    {
        return m_Target.deviceTransform().mapRect(r).intersected(m_TextArea).height() > 1.0;
    }

    void SetHints(QPainter::RenderHints hints)
    {
        m_Target.setRenderHints(~hints, false);
        m_Target.setRenderHints(hints, true);
    }

    QPainter& m_Target;
    QRectF m_TextArea; // device pixels
    QPainterPath m_BaseClip;
    QTransform m_BaseTransform;
};

// A paint device of the PDF's size and resolution whose engine is a PageEngine.
class PageDevice : public QPaintDevice {
public:
    PageDevice(const QPdfWriter& writer, QPainter& target, const QRectF& textArea)
        : m_Writer(writer), m_Engine(target, textArea)
    {
    }
    ~PageDevice() override = default;
    QPaintEngine* paintEngine() const override { return &m_Engine; }
    void Mirror(const QPainter& source) { m_Engine.Mirror(source); }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_Writer.width();
        case PdmHeight: return m_Writer.height();
        case PdmWidthMM: return m_Writer.widthMM();
        case PdmHeightMM: return m_Writer.heightMM();
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX: return m_Writer.logicalDpiX();
        case PdmDpiY: return m_Writer.logicalDpiY();
        case PdmPhysicalDpiX: return m_Writer.physicalDpiX();
        case PdmPhysicalDpiY: return m_Writer.physicalDpiY();
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    const QPdfWriter& m_Writer;
    mutable PageEngine m_Engine;
};

struct Heading {
    int nLevel = 0;
    QString sText;
    int nPage = 0; // from 0, within the document that holds it
};

class Manual {
public:
    Manual(const QDir& source, QIODevice* pOutput, const QString& sVersion);
    void Build();
    int PageCount() const { return m_nPages; }

private:
    double Mm(double mm) const { return mm / 25.4 * m_Writer.resolution(); }
    // A length in the text formats' pixels for a length in device pixels.
    double FormatPx(double device) const { return device * kFormatDpi / m_Writer.resolution(); }

    QString ReadChapters() const;
    void Prepare(QTextDocument& doc);
    void StyleBlocks(QTextDocument& doc) const;
    void StyleTables(QTextDocument& doc) const;
    void PlaceImages(QTextDocument& doc) const;
    void NumberHeadings(QTextDocument& doc) const;
    int PageOf(QTextDocument& doc, const QTextBlock& b) const;
    void KeepHeadingsWithText(QTextDocument& doc) const;
    std::vector<Heading> Headings(QTextDocument& doc) const;
    void FillContents(QTextDocument& toc, const std::vector<Heading>& headings, int nFirstPage) const;

    void DrawTitlePage(QPainter& p) const;
    void DrawPage(QPainter& p, QTextDocument& doc, int nPage, int nNumber, const QString& sHead) const;

    QDir m_Source;
    QString m_sVersion;
    QPdfWriter m_Writer;
    QSizeF m_Text; // the text area of a page, device pixels
    int m_nPages = 0;
};

Manual::Manual(const QDir& source, QIODevice* pOutput, const QString& sVersion)
    : m_Source(source), m_sVersion(sVersion), m_Writer(pOutput)
{
    m_Writer.setPageSize(QPageSize(QPageSize::A4));
    m_Writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    m_Writer.setTitle(kTitle);
    m_Writer.setCreator(QStringLiteral("QEL %1").arg(sVersion));
    m_Text = QSizeF(m_Writer.width() - 2 * Mm(kMarginSide), m_Writer.height() - Mm(kMarginTop) - Mm(kMarginBottom));
}

QString Manual::ReadChapters() const
{
    const QStringList files = m_Source.entryList({QStringLiteral("[0-9][0-9]-*.md")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw Failure{QStringLiteral("no chapters (NN-name.md) in %1").arg(m_Source.path())};
    QString text;
    for (const QString& name : files) {
        QFile f(m_Source.filePath(name));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            throw Failure{QStringLiteral("cannot read %1").arg(f.fileName())};
        text += QString::fromUtf8(f.readAll());
        text += QStringLiteral("\n\n");
    }
    return text;
}

void Manual::Prepare(QTextDocument& doc)
{
    doc.documentLayout()->setPaintDevice(&m_Writer);
    doc.setDocumentMargin(0);
    // Without ligatures the PDF's text reads back letter for letter ("fi", not one glyph),
    // so it can be searched and copied.
    doc.setDefaultFont(SansFont(10));
    doc.setPageSize(m_Text);
}

// Headings, paragraphs and code in the manual's look; chapters start on a new page.
void Manual::StyleBlocks(QTextDocument& doc) const
{
    bool bFirstChapter = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextBlockFormat bf = b.blockFormat();
        const int nLevel = bf.headingLevel();
        if (nLevel > 0) {
            static const double kSizes[] = {0, 20, 14, 11.5, 10.5, 10, 10};
            // The Markdown reader sizes headings relative to the body font; a relative size
            // outweighs a point size, so it is taken away, fragment by fragment.
            for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                QTextCharFormat cf = frag.charFormat();
                cf.clearProperty(QTextFormat::FontSizeAdjustment);
                cf.setFontFamilies({kSans});
                cf.setFontPointSize(kSizes[std::min(nLevel, 6)]);
                cf.setFontWeight(QFont::Bold);
                cf.setForeground(kHeadingColour);
                QTextCursor fc(&doc);
                fc.setPosition(frag.position());
                fc.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
                fc.setCharFormat(cf);
            }
            bf.setTopMargin(nLevel == 1 ? 0 : nLevel == 2 ? 16 : 10);
            bf.setBottomMargin(nLevel == 1 ? 14 : 6);
            if (nLevel == 1) {
                if (!bFirstChapter)
                    bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                bFirstChapter = false;
            } else {
                // A heading stays with the text that follows it.
                bf.setNonBreakableLines(true);
            }
            c.setBlockFormat(bf);
            continue;
        }
        if (bf.hasProperty(QTextFormat::BlockCodeFence) || bf.hasProperty(QTextFormat::BlockCodeLanguage)) {
            QTextCharFormat cf;
            cf.setFontFamilies({kMono});
            cf.setFontPointSize(9);
            c.mergeCharFormat(cf);
            bf.setBackground(QColor(0xf2, 0xf4, 0xf7));
            bf.setLeftMargin(8);
            c.setBlockFormat(bf);
            continue;
        }
        bf.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
        if (!b.textList())
            bf.setBottomMargin(std::max<double>(bf.bottomMargin(), 6));
        c.setBlockFormat(bf);
    }
}

void Manual::StyleTables(QTextDocument& doc) const
{
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat tf = table->format();
        tf.setBorder(1);
        tf.setBorderBrush(kGridColour);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setCellSpacing(0);
        tf.setCellPadding(4);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setHeaderRowCount(1);
        tf.setTopMargin(4);
        tf.setBottomMargin(10);
        table->setFormat(tf);
        for (int col = 0; col < table->columns(); ++col) {
            QTextTableCell cell = table->cellAt(0, col);
            QTextCharFormat cf = cell.format();
            cf.setBackground(kHeaderFill);
            cell.setFormat(cf);
            QTextCursor c = cell.firstCursorPosition();
            c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            c.mergeCharFormat(bold);
        }
        for (int row = 0; row < table->rows(); ++row)
            for (int col = 0; col < table->columns(); ++col) {
                QTextTableCell cell = table->cellAt(row, col);
                for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                    QTextBlock b = it.currentBlock();
                    if (!b.isValid())
                        continue;
                    QTextBlockFormat bf = b.blockFormat();
                    bf.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
                    bf.setBottomMargin(0);
                    QTextCursor(b).setBlockFormat(bf);
                }
            }
    }
}

// Pictures come from the chapters' folder. A screenshot printed pixel for pixel at screen
// size looks larger on paper than on the screen: each is shown at three quarters of it,
// or less to fit the text width and half a page's height, and centred.
void Manual::PlaceImages(QTextDocument& doc) const
{
    constexpr double kPrintScale = 0.75;
    const double maxWidth = FormatPx(m_Text.width());
    const double maxHeight = FormatPx(m_Text.height()) * 0.5;
    QStringList missing;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        bool bOnlyImages = true;
        bool bAnyImage = false;
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const QTextImageFormat f = frag.charFormat().toImageFormat();
            if (!f.isValid()) {
                if (!frag.text().trimmed().isEmpty())
                    bOnlyImages = false;
                continue;
            }
            bAnyImage = true;
            const QString name = f.name();
            QImage image(m_Source.filePath(QUrl(name).path()));
            if (image.isNull()) {
                missing << name;
                continue;
            }
            // A thin frame sets a window's picture off the white page.
            image = image.convertToFormat(QImage::Format_RGB32);
            {
                QPainter frame(&image);
                frame.setPen(kGridColour);
                frame.drawRect(image.rect().adjusted(0, 0, -1, -1));
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
            const double scale = std::min({kPrintScale, maxWidth / image.width(), maxHeight / image.height()});
            QTextImageFormat sized = f;
            sized.setWidth(std::floor(image.width() * scale));
            sized.setHeight(std::floor(image.height() * scale));
            QTextCursor c(&doc);
            c.setPosition(frag.position());
            c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(sized);
        }
        if (bAnyImage && bOnlyImages) {
            QTextBlockFormat bf = b.blockFormat();
            bf.setAlignment(Qt::AlignHCenter);
            bf.setTopMargin(4);
            bf.setBottomMargin(4);
            bf.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            QTextCursor(b).setBlockFormat(bf);
            // The caption under a picture is its own italic paragraph: centred with it.
            QTextBlock next = b.next();
            bool bCaption = next.isValid() && next.length() > 1 && next.blockFormat().headingLevel() == 0;
            for (QTextBlock::iterator it = next.begin(); bCaption && !it.atEnd(); ++it)
                if (it.fragment().isValid() && !it.fragment().charFormat().fontItalic())
                    bCaption = false;
            if (bCaption) {
                QTextBlockFormat cf = next.blockFormat();
                cf.setAlignment(Qt::AlignHCenter);
                cf.setBottomMargin(12);
                QTextCursor(next).setBlockFormat(cf);
            }
        }
    }
    if (!missing.isEmpty())
        throw Failure{
            QStringLiteral("pictures missing in %1: %2").arg(m_Source.path(), missing.join(QStringLiteral(", ")))};
}

// "3  Analyses", "3.2  Moving load": the printed manual numbers its chapters and sections.
void Manual::NumberHeadings(QTextDocument& doc) const
{
    int nChapter = 0;
    int nSection = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int nLevel = b.blockFormat().headingLevel();
        if (nLevel == 1) {
            ++nChapter;
            nSection = 0;
            QTextCursor(b).insertText(QStringLiteral("%1  ").arg(nChapter));
        } else if (nLevel == 2 && nChapter > 0) {
            ++nSection;
            QTextCursor(b).insertText(QStringLiteral("%1.%2  ").arg(nChapter).arg(nSection));
        }
    }
}

// A line that does not fit is moved down within its block, so the block's own top can lie
// on the page before its first line: the page is that of the first line.
int Manual::PageOf(QTextDocument& doc, const QTextBlock& b) const
{
    double top = doc.documentLayout()->blockBoundingRect(b).top();
    if (b.layout() && b.layout()->lineCount() > 0)
        top += b.layout()->lineAt(0).y();
    return static_cast<int>(std::floor((top + 1) / m_Text.height()));
}

// A heading at the foot of a page, its text on the next, moves to the next page too. Each
// move shifts the pages after it, so the search starts again from there.
void Manual::KeepHeadingsWithText(QTextDocument& doc) const
{
    const auto pageOf = [&](const QTextBlock& b) { return PageOf(doc, b); };
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() < 2)
            continue;
        const QTextBlock next = b.next();
        if (!next.isValid() || pageOf(next) == pageOf(b))
            continue;
        QTextBlockFormat bf = b.blockFormat();
        bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(b).setBlockFormat(bf);
    }
}

std::vector<Heading> Manual::Headings(QTextDocument& doc) const
{
    std::vector<Heading> headings;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int nLevel = b.blockFormat().headingLevel();
        if (nLevel >= 1 && nLevel <= 2)
            headings.push_back({nLevel, b.text().trimmed(), PageOf(doc, b)});
    }
    return headings;
}

void Manual::FillContents(QTextDocument& toc, const std::vector<Heading>& headings, int nFirstPage) const
{
    toc.clear();
    QTextCursor c(&toc);
    QTextBlockFormat title;
    title.setHeadingLevel(1);
    title.setBottomMargin(14);
    QTextCharFormat titleFont;
    titleFont.setFontFamilies({kSans});
    titleFont.setFontPointSize(20);
    titleFont.setFontWeight(QFont::Bold);
    titleFont.setForeground(kHeadingColour);
    c.setBlockFormat(title);
    c.setCharFormat(titleFont);
    c.insertText(QStringLiteral("Contents"));

    QTextTableFormat tf;
    tf.setBorder(0);
    tf.setCellPadding(1.5);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 90), QTextLength(QTextLength::PercentageLength, 10)});
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTable* table = c.insertTable(static_cast<int>(headings.size()), 2, tf);
    for (int i = 0; i < static_cast<int>(headings.size()); ++i) {
        const Heading& h = headings[i];
        QTextCharFormat cf;
        cf.setFontFamilies({kSans});
        cf.setFontPointSize(h.nLevel == 1 ? 10.5 : 9.5);
        cf.setFontWeight(h.nLevel == 1 ? QFont::Bold : QFont::Normal);
        QTextBlockFormat bf;
        bf.setTopMargin(h.nLevel == 1 && i > 0 ? 7 : 0);
        bf.setLeftMargin(h.nLevel == 1 ? 0 : 18);
        QTextCursor name = table->cellAt(i, 0).firstCursorPosition();
        name.setBlockFormat(bf);
        name.insertText(h.sText, cf);
        QTextCursor page = table->cellAt(i, 1).firstCursorPosition();
        bf.setLeftMargin(0);
        bf.setAlignment(Qt::AlignRight);
        page.setBlockFormat(bf);
        page.insertText(QString::number(nFirstPage + h.nPage), cf);
    }
}

void Manual::DrawTitlePage(QPainter& p) const
{
    const double w = m_Writer.width();
    p.setFont(SansFont(30, true));
    p.setPen(kHeadingColour);
    const QRectF titleBox(Mm(kMarginSide), Mm(80), w - 2 * Mm(kMarginSide), Mm(20));
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignBottom, kTitle);
    p.setPen(QPen(kHeadingColour, Mm(0.6)));
    p.drawLine(QPointF(Mm(kMarginSide), Mm(104)), QPointF(w - Mm(kMarginSide), Mm(104)));
    p.setFont(SansFont(13));
    p.setPen(Qt::black);
    p.drawText(QRectF(Mm(kMarginSide), Mm(110), w - 2 * Mm(kMarginSide), Mm(30)), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Moving loads, envelopes and critical ratios\nof continuous-beam road bridges"));
    p.setFont(SansFont(10));
    p.setPen(kQuietText);
    p.drawText(QRectF(Mm(kMarginSide), Mm(140), w - 2 * Mm(kMarginSide), Mm(10)), Qt::AlignLeft,
               QStringLiteral("Version %1").arg(m_sVersion));
}

void Manual::DrawPage(QPainter& p, QTextDocument& doc, int nPage, int nNumber, const QString& sHead) const
{
    const double w = m_Writer.width();
    const double h = m_Writer.height();
    p.setFont(SansFont(8));
    p.setPen(kQuietText);
    const QRectF head(Mm(kMarginSide), Mm(kHeadAt) - Mm(5), w - 2 * Mm(kMarginSide), Mm(5));
    p.drawText(head, Qt::AlignLeft | Qt::AlignBottom, kTitle);
    p.drawText(head, Qt::AlignRight | Qt::AlignBottom, sHead);
    p.setPen(QPen(kRuleColour, Mm(0.2)));
    p.drawLine(QPointF(Mm(kMarginSide), Mm(kHeadAt) + Mm(1.5)), QPointF(w - Mm(kMarginSide), Mm(kHeadAt) + Mm(1.5)));
    p.setPen(kQuietText);
    p.drawText(QRectF(0, h - Mm(kFootAt) - Mm(5), w, Mm(5)), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Page %1 of %2").arg(nNumber).arg(m_nPages));

    p.save();
    const QRectF area(Mm(kMarginSide), Mm(kMarginTop), m_Text.width(), m_Text.height());
    p.setClipRect(area);
    {
        PageDevice device(m_Writer, p, area);
        QPainter dp(&device);
        device.Mirror(dp);
        const QRectF view(0, nPage * m_Text.height(), m_Text.width(), m_Text.height());
        dp.translate(area.left(), area.top() - view.top());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = view;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&dp, ctx);
        dp.end();
    }
    p.restore();
}

void Manual::Build()
{
    QTextDocument content;
    content.setMarkdown(ReadChapters(), QTextDocument::MarkdownDialectGitHub);
    Prepare(content);
    NumberHeadings(content);
    StyleBlocks(content);
    StyleTables(content);
    PlaceImages(content);
    KeepHeadingsWithText(content);
    const int nContentPages = content.pageCount();
    const std::vector<Heading> headings = Headings(content);
    if (headings.empty())
        throw Failure{QStringLiteral("the chapters hold no headings")};

    // The contents list is laid out twice: once to learn how many pages it takes, then with
    // the page numbers that follow from it (numbers of up to three digits both times).
    QTextDocument toc;
    Prepare(toc);
    FillContents(toc, headings, 100);
    const int nTocPages = toc.pageCount();
    const int nFirstContentPage = 1 + nTocPages + 1;
    FillContents(toc, headings, nFirstContentPage);
    if (toc.pageCount() != nTocPages)
        throw Failure{QStringLiteral("the contents list changed its length when numbered")};
    m_nPages = 1 + nTocPages + nContentPages;

    QPainter p;
    if (!p.begin(&m_Writer))
        throw Failure{QStringLiteral("cannot write the PDF file")};
    p.setRenderHint(QPainter::Antialiasing);
    DrawTitlePage(p);
    int nNumber = 1;
    for (int i = 0; i < nTocPages; ++i) {
        m_Writer.newPage();
        DrawPage(p, toc, i, ++nNumber, QStringLiteral("Contents"));
    }
    for (int i = 0; i < nContentPages; ++i) {
        QString sHead;
        for (const Heading& h : headings)
            if (h.nLevel == 1 && h.nPage <= i)
                sHead = h.sText;
        m_Writer.newPage();
        DrawPage(p, content, i, ++nNumber, sHead);
    }
    if (!p.end())
        throw Failure{QStringLiteral("cannot finish the PDF file")};
}

}

int main(int argc, char** argv)
{
    // A build machine has no display: the text engine needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: qel_manual SOURCE_FOLDER OUTPUT.pdf VERSION\n");
        return 2;
    }
    const QString output = args[2];
    try {
        if (!QFontDatabase::families().contains(kSans))
            std::fprintf(stderr, "qel_manual: font '%s' not found, using the default font\n", qPrintable(kSans));
        // The finished file replaces the old one only once it is whole; a failed build
        // leaves no part of it behind.
        QSaveFile file(output);
        if (!file.open(QIODevice::WriteOnly))
            throw Failure{QStringLiteral("cannot write %1").arg(output)};
        int nPages = 0;
        {
            Manual manual(QDir(args[1]), &file, args[3]);
            manual.Build();
            nPages = manual.PageCount();
        }
        if (!file.commit())
            throw Failure{QStringLiteral("cannot write %1").arg(output)};
        std::printf("qel_manual: %s, %d pages\n", qPrintable(QFileInfo(output).fileName()), nPages);
    } catch (const Failure& f) {
        std::fprintf(stderr, "qel_manual: %s\n", qPrintable(f.text));
        return 1;
    }
    return 0;
}
