#pragma once
// The sketch of one load model to scale, in metres: a ruler with dotted grid lines and
// metre labels, the direction of travel, and the uniform loads, partial uniform loads,
// wheels and point loads, each kind in its own colour from the settings.
//
// Logical units are m_dScale per metre; y grows upwards from the baseline, which lies
// 10 pixels above the bottom; x = 0 is the front of the model, m_dMargin left of the
// right edge. Texts keep their pixel size.
#include "core/loads/LoadModel.h"
#include "ui/draw/DrawCtrl.h"

#include <memory>

class CDrawLoadModelCtrl : public CDrawCtrl {
public:
    CDrawLoadModelCtrl();

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    std::shared_ptr<CLoadModel> GetLoadModel() const { return m_pLoadModel; }

    void PrepareDC(CDC* pDC) override;
    void Draw(CDC* pDC) override;

    std::shared_ptr<CLoadModel> m_pLoadModel;
    int m_nExtentX = 0;
    int m_nExtentY = 0;
    double m_dMargin = 0.0;
    double m_dScale = 1000.0;
    double m_dHalfHeight = 0.0;
    double m_dPLScale = 1.0;
    double m_dUDLScale = 0.6;
    double m_dPUDLScale = 0.6;
    double m_dWheelScale = 0.2;
    double m_dHubScale = 0.3;
    bool m_bShowDescription = false;
    bool m_bShowValues = false;

private:
    void DrawRuler(CDC* pDC);
    void DrawPointLoads(CDC* pDC);
    void DrawUniformLoads(CDC* pDC);
    void DrawPartialLoads(CDC* pDC);
    void DrawWheels(CDC* pDC);
    void DrawLoadBlock(CDC* pDC, double x1, double x2, double xRight, double width, int nArrows, double H,
                       bool bPositive);
    // x of a point load as drawn: the model's travel direction mirrors it.
    double DrawnLocation(double location) const;

    // Text at a logical point, in device pixels: aligned as nAlign (TA_LEFT/TA_CENTER), top
    // at the point.
    void TextAt(CDC* pDC, int x, int y, const std::wstring& text, UINT nAlign);
    // Height and width of text, in logical units.
    int LogicalTextHeight(CDC* pDC) const;
    int LogicalTextWidth(CDC* pDC, const std::wstring& text) const;

    // False while the window has no area: only the background is drawn then.
    bool m_bMapped = false;
};
