#pragma once
// The numbers each case element holds, tested against their ranges (Bounds.h). The case
// reader tests an element once it has read it and the writer before it writes it, so a
// file holds only what the reader takes back.
//     Bridge 3 "20 m single span": span 2 is not a number; it must be from 0.1 m to 1,000 m

#include <stdexcept>
#include <string>

class CElement;
class CBeam;
class CBridge;
class CBridgeSet;
class CLoadModel;
class CReferenceCollection;

// A value of an element out of its range; what() names the element and the field (UTF-8).
class CElementValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Bridge 3 "20 m single span"".
std::wstring ElementLabel(const CElement& element);

// Each returns the first refusal, or empty when every value is in range.
std::wstring CheckBridgeValues(const CBridge& bridge);
std::wstring CheckBridgeSetValues(const CBridgeSet& set);
std::wstring CheckLoadModelValues(const CLoadModel& model);
std::wstring CheckRefCollectionValues(const CReferenceCollection& collection);
// A beam kept with stored results (no element of its own).
std::wstring CheckBeamValues(const CBeam& beam);

// Throws CElementValueError with "<label>: <refusal>" when the refusal is not empty.
void ThrowIfRefused(const CElement& element, const std::wstring& sRefusal);
