#pragma once
#include <memory>
#include <vector>

#include "core/critical/CriticalEnsemble.h"
#include "core/critical/CriticalRatioResults.h"

// Critical ratios of a proposed item against a reference, one member per bridge of a set.
class CCriticalRatioEnsemble : public CCriticalEnsemble<CCriticalRatioResults> {
public:
    CCriticalRatioEnsemble() = default;
    CCriticalRatioEnsemble(std::vector<CCriticalRatioResults> vResults, std::shared_ptr<CBridgeSet> pBridgeSet);

    void GetMomentValues(std::vector<double>& vMax, std::vector<double>& vMin) const override;
    void GetShearValues(std::vector<double>& vMax, std::vector<double>& vMin) const override;
    void GetReactionValues(int i, std::vector<double>& vMax, std::vector<double>& vMin) const override;

    std::vector<double> GetGoverningShearRatios() const;
    // The larger of the first and the last support's governing ratios.
    std::vector<double> GetGoverningEndReactionRatios() const;
    // Interior supports of two- and three-span bridges; empty for other arrangements.
    std::vector<double> GetGoverningInteriorReactionRatios() const;

    // The names the result views use.
    std::vector<double> GetGoverningValues() const { return GetGoverningShearRatios(); }
    std::vector<double> GetGoverningValuesByType() const { return GetGoverningEndReactionRatios(); }
    std::vector<double> GetGoverningValuesAll() const { return GetGoverningInteriorReactionRatios(); }

    // The larger ratio of the pair, the minimum's on a tie.
    static double GoverningRatio(const CriticalPair<RatioLoadEffect>& pair);

private:
    int Config() const;
};
