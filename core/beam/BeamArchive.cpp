#include "core/archive/ArchiveImpl.h"
#include "platform/base/CLocale.h"
#include "core/beam/Beam.h"
#include "core/bounds/ElementChecks.h"
#include "core/beam/BeamResults.h"
#include "core/beam/MbrResults.h"

template <class Archive>
void CBeam::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar& make_nvp("m_nSpans", m_nSpans);
    ar& make_nvp("m_nRestraints", m_nRestraints);
    ar& make_nvp("m_Length", m_Length);
    ar& make_nvp("m_vL", m_vL);
    ar& make_nvp("m_vEI", m_vEI);
    ar& make_nvp("m_vR", m_vR);
    if constexpr (Archive::is_loading::value) {
        const std::wstring sRefusal = CheckBeamValues(*this);
        if (!sRefusal.empty())
            throw CElementValueError("The stored results hold a beam: " + WideToUtf8(sRefusal));
    }
}

template <class Archive>
void CMbrResults::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar& make_nvp("x", x);
    ar& make_nvp("M", M);
    ar& make_nvp("V", V);
    ar& make_nvp("R", R);
    ar& make_nvp("D", D);
}

template <class Archive>
void CBeamResults::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar& make_nvp("m_pBeam", m_pBeam);
    ar& make_nvp("m_vMbrRes", m_vMbrRes);
    ar& make_nvp("m_vReactions", m_vReactions);
}

QEL_INSTANTIATE_SERIALIZE(CBeam);
QEL_INSTANTIATE_SERIALIZE(CMbrResults);
QEL_INSTANTIATE_SERIALIZE(CBeamResults);

BOOST_CLASS_EXPORT_IMPLEMENT(CBeam)
BOOST_CLASS_EXPORT_IMPLEMENT(CBeamResults)
