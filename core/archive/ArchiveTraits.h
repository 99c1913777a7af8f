#pragma once
// Class versions and export keys of every archived class, seen by every archive
// translation unit so that all of them agree. Add a line per class here.

#include <boost/serialization/export.hpp>
#include <boost/serialization/version.hpp>

class CLoadModel;
BOOST_CLASS_VERSION(CLoadModel, 1)
BOOST_CLASS_EXPORT_KEY(CLoadModel)
class CLoadModelEnsemble;
BOOST_CLASS_VERSION(CLoadModelEnsemble, 0)
BOOST_CLASS_EXPORT_KEY(CLoadModelEnsemble)
class CBeam;
class CMbrResults;
class CBeamResults;
BOOST_CLASS_VERSION(CBeam, 0)
BOOST_CLASS_VERSION(CMbrResults, 0)
BOOST_CLASS_VERSION(CBeamResults, 0)
BOOST_CLASS_EXPORT_KEY(CBeam)
BOOST_CLASS_EXPORT_KEY(CBeamResults)
class CBridge;
class CBridgeSet;
BOOST_CLASS_VERSION(CBridge, 0)
BOOST_CLASS_VERSION(CBridgeSet, 0)
BOOST_CLASS_EXPORT_KEY(CBridge)
BOOST_CLASS_EXPORT_KEY(CBridgeSet)
struct PointLoadEffect;
class CEnvelope;
class CEnvelopeResults;
BOOST_CLASS_VERSION(PointLoadEffect, 0)
BOOST_CLASS_VERSION(CEnvelope, 0)
// 1: the envelopes stored by columns (one value a position, load models by index).
BOOST_CLASS_VERSION(CEnvelopeResults, 1)
BOOST_CLASS_EXPORT_KEY(CEnvelope)
BOOST_CLASS_EXPORT_KEY(CEnvelopeResults)
class CReferenceSet;
// 2: the reference results stored only when they cannot be made again from the others.
BOOST_CLASS_VERSION(CReferenceSet, 2)
class CReferenceCollection;
// 1: whether the stored results predate the rule that loads standing on a support bear on
// it (collections of version 0 are all taken to).
BOOST_CLASS_VERSION(CReferenceCollection, 1)
BOOST_CLASS_EXPORT_KEY(CReferenceCollection)
struct CaseContents;
BOOST_CLASS_VERSION(CaseContents, 0)

// The versions written for CaseLayout::Legacy (core/archive/CaseOArchive.h): those of the
// files before results were stored compactly.
inline constexpr unsigned int kLegacyEnvelopeResultsVersion = 0;
inline constexpr unsigned int kLegacyReferenceSetVersion = 1;
inline constexpr unsigned int kLegacyReferenceCollectionVersion = 0;
