#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/archive/ArchiveImpl.h"
#include "core/archive/NumberList.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace {

// Every view and table picks its texts by the type: a stored number of no type is damage.
void CheckLoadEffectType(std::int32_t t)
{
    if (t != LET_MOMENT && t != LET_SHEAR && t != LET_REACTION)
        ThrowArchiveError("unknown load-effect type");
}

}

// ---------------------------------------------------------------- compact layout
//
// Envelope results stored by columns. Of each side (maxima, minima) of an envelope: the
// values; the stations and the load positions, each as nothing (the column the whole
// results share: the stations of the bending envelope, the load positions of the first
// reaction history), one number (the same for every entry, as a support's station) or
// one per entry; the kinds, as nothing (the envelope's own) or one or one per entry; and
// the load models as runs of (count, code), code 0 for none and k + 1 for entry k of the
// results' table of load models, which holds each model once.

namespace envelope_archive {

using Side = std::vector<PointLoadEffect>;
using Models = std::vector<std::shared_ptr<CLoadModel>>;

// Equal bit for bit: a zero keeps its sign.
template <class T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

template <class T>
bool AllSameBits(const std::vector<T>& v)
{
    for (const T& x : v)
        if (std::memcmp(&x, v.data(), sizeof(T)) != 0)
            return false;
    return true;
}

// What a column is stored as: nothing when it is the shared one, one number when all are
// equal, else all of them.
template <class T>
std::vector<T> Stored(std::vector<T> column, const std::vector<T>* pShared)
{
    if (!column.empty() && pShared && SameBits(column, *pShared))
        return {};
    if (column.size() > 1 && AllSameBits(column))
        return std::vector<T>{column.front()};
    return column;
}

// A stored column back to n entries; shared is what nothing stands for.
template <class T>
std::vector<T> Expanded(std::vector<T> stored, std::size_t n, const std::vector<T>& shared)
{
    if (stored.empty() && n > 0) {
        if (shared.size() != n)
            ThrowArchiveError("inconsistent envelope results");
        return shared;
    }
    if (stored.size() == 1 && n > 1)
        return std::vector<T>(n, stored[0]);
    if (stored.size() != n)
        ThrowArchiveError("inconsistent envelope results");
    return stored;
}

class CModelTable {
public:
    explicit CModelTable(Models& models) : m_Models(models) {}
    std::uint32_t CodeOf(const std::shared_ptr<CLoadModel>& p)
    {
        if (!p)
            return 0;
        if (p.get() == m_pLast)
            return m_nLast;
        auto it = m_Codes.find(p.get());
        if (it == m_Codes.end()) {
            m_Models.push_back(p);
            it = m_Codes.emplace(p.get(), static_cast<std::uint32_t>(m_Models.size())).first;
        }
        m_pLast = p.get();
        m_nLast = it->second;
        return m_nLast;
    }

private:
    Models& m_Models;
    std::unordered_map<const CLoadModel*, std::uint32_t> m_Codes;
    const CLoadModel* m_pLast = nullptr;
    std::uint32_t m_nLast = 0;
};

// What the envelopes of one results share.
struct CShared {
    std::vector<double> stations;  // of the bending envelope's maxima
    std::vector<double> positions; // load positions of the first reaction history's maxima
    Models models;                 // on saving, complete before the first envelope
    CModelTable table{models};
    // Where each load position first occurs in positions (by its bits), for saving.
    std::unordered_map<std::uint64_t, std::uint32_t> positionAt;
};

std::uint64_t BitsOf(double v)
{
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// One side of an envelope.
class CSide {
public:
    CSide(Side& side, LoadEffectType type, CShared& shared) : m_Side(side), m_Type(type), m_Shared(shared) {}

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, const unsigned int) const
    {
        std::uint64_t count = m_Side.size();
        // Values of +0 (no load there) go as runs: alternately how many values follow in
        // the list and how many zeros.
        std::vector<double> val;
        std::vector<std::uint32_t> zeros;
        bool bZero = false;
        std::uint32_t run = 0;
        for (const auto& e : m_Side) {
            const bool z = std::signbit(e.val) == false && e.val == 0.0;
            if (z != bZero || run == UINT32_MAX) {
                zeros.push_back(run);
                if (z == bZero)
                    zeros.push_back(0); // an empty run of the other kind
                run = 0;
                bZero = z;
            }
            ++run;
            if (!z)
                val.push_back(e.val);
        }
        zeros.push_back(run);
        if (zeros.size() == 1)
            zeros.clear();
        std::vector<double> xBeam = Stored(ColumnOf(m_Side, &PointLoadEffect::xBeam), &m_Shared.stations);
        std::vector<double> xLoadModel = Stored(ColumnOf(m_Side, &PointLoadEffect::xLoadModel), &m_Shared.positions);
        // Load positions that the reaction histories have are told by their place there.
        std::vector<std::uint32_t> xLoadModelAt;
        if (xLoadModel.size() > 1) {
            xLoadModelAt.reserve(xLoadModel.size());
            for (double x : xLoadModel) {
                const auto it = m_Shared.positionAt.find(BitsOf(x));
                if (it == m_Shared.positionAt.end())
                    break;
                xLoadModelAt.push_back(it->second);
            }
            if (xLoadModelAt.size() == xLoadModel.size())
                xLoadModel.clear();
            else
                xLoadModelAt.clear();
        }
        // Nothing when every entry is of the envelope's own kind.
        std::vector<std::int32_t> kinds;
        if (!std::all_of(m_Side.begin(), m_Side.end(), [&](const PointLoadEffect& e) { return e.type == m_Type; })) {
            kinds.reserve(m_Side.size());
            for (const auto& e : m_Side)
                kinds.push_back(e.type);
            kinds = Stored<std::int32_t>(std::move(kinds), nullptr);
        }
        std::vector<std::uint32_t> runs;
        for (const auto& e : m_Side) {
            const std::uint32_t code = m_Shared.table.CodeOf(e.pLM);
            if (!runs.empty() && runs.back() == code && runs[runs.size() - 2] < UINT32_MAX)
                ++runs[runs.size() - 2];
            else
                runs.insert(runs.end(), {1u, code});
        }
        ar << boost::serialization::make_nvp("count", count);
        ArchiveColumns(ar, zeros, val, xBeam, xLoadModel, xLoadModelAt, kinds, runs);
    }

    // The stored lists of a side, in their order in the file; saving and loading alike.
    template <class Archive>
    static void ArchiveColumns(Archive& ar, std::vector<std::uint32_t>& zeros, std::vector<double>& val,
                               std::vector<double>& xBeam, std::vector<double>& xLoadModel,
                               std::vector<std::uint32_t>& xLoadModelAt, std::vector<std::int32_t>& kinds,
                               std::vector<std::uint32_t>& runs)
    {
        ArchiveNumbers(ar, "zeros", zeros);
        ArchiveNumbers(ar, "val", val);
        ArchiveNumbers(ar, "xBeam", xBeam);
        ArchiveNumbers(ar, "xLoadModel", xLoadModel);
        ArchiveNumbers(ar, "xLoadModelAt", xLoadModelAt);
        ArchiveNumbers(ar, "type", kinds);
        ArchiveNumbers(ar, "pLM", runs);
    }

    template <class Archive>
    void load(Archive& ar, const unsigned int)
    {
        std::uint64_t count = 0;
        ar >> boost::serialization::make_nvp("count", count);
        // An entry takes at least a byte of the file, unless it is one of the results' shared
        // stations or load positions (a side all of nought at shared places takes a few bytes).
        if (count > std::max(m_Shared.stations.size(), m_Shared.positions.size()))
            CheckArchivedListCount(ar, count, 1);
        const auto n = static_cast<std::size_t>(count);
        std::vector<double> val, xBeam, xLoadModel;
        std::vector<std::int32_t> kinds;
        std::vector<std::uint32_t> zeros, runs, xLoadModelAt;
        ArchiveColumns(ar, zeros, val, xBeam, xLoadModel, xLoadModelAt, kinds, runs);
        if (zeros.empty())
            zeros.push_back(static_cast<std::uint32_t>(std::min<std::size_t>(n, UINT32_MAX)));
        std::vector<double> values;
        values.reserve(n);
        std::size_t taken = 0;
        for (std::size_t r = 0; r < zeros.size(); ++r) {
            const std::size_t k = zeros[r];
            if (k > n - values.size() || (r % 2 == 0 && k > val.size() - taken))
                ThrowArchiveError("inconsistent envelope results");
            if (r % 2 == 0) {
                values.insert(values.end(), val.begin() + static_cast<std::ptrdiff_t>(taken),
                              val.begin() + static_cast<std::ptrdiff_t>(taken + k));
                taken += k;
            } else {
                values.insert(values.end(), k, 0.0);
            }
        }
        if (values.size() != n || taken != val.size())
            ThrowArchiveError("inconsistent envelope results");
        xBeam = Expanded(std::move(xBeam), n, m_Shared.stations);
        if (!xLoadModelAt.empty()) {
            if (!xLoadModel.empty() || xLoadModelAt.size() != n)
                ThrowArchiveError("inconsistent envelope results");
            xLoadModel.reserve(n);
            for (std::uint32_t k : xLoadModelAt) {
                if (k >= m_Shared.positions.size())
                    ThrowArchiveError("inconsistent envelope results");
                xLoadModel.push_back(m_Shared.positions[k]);
            }
        } else {
            xLoadModel = Expanded(std::move(xLoadModel), n, m_Shared.positions);
        }
        if (kinds.empty())
            kinds.assign(n, m_Type);
        else
            kinds = Expanded(std::move(kinds), n, {});
        for (std::int32_t t : kinds)
            CheckLoadEffectType(t);
        if (runs.size() % 2 != 0)
            ThrowArchiveError("inconsistent envelope results");
        m_Side.clear();
        m_Side.resize(n);
        std::size_t i = 0;
        for (std::size_t r = 0; r < runs.size(); r += 2) {
            const std::uint32_t count = runs[r], code = runs[r + 1];
            if (count > n - i || code > m_Shared.models.size())
                ThrowArchiveError("inconsistent envelope results");
            const std::shared_ptr<CLoadModel> pLM = code ? m_Shared.models[code - 1] : nullptr;
            for (std::uint32_t k = 0; k < count; ++k, ++i)
                m_Side[i].pLM = pLM;
        }
        if (i != n)
            ThrowArchiveError("inconsistent envelope results");
        for (std::size_t k = 0; k < n; ++k) {
            PointLoadEffect& e = m_Side[k];
            e.val = values[k];
            e.xBeam = xBeam[k];
            e.xLoadModel = xLoadModel[k];
            e.type = static_cast<LoadEffectType>(kinds[k]);
        }
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    Side& m_Side;
    LoadEffectType m_Type;
    CShared& m_Shared;
};

// One envelope: its kind, its bridge (mostly the results' own), its two sides.
class CCompactEnvelope {
public:
    CCompactEnvelope(std::shared_ptr<CEnvelope>& env, const std::shared_ptr<CBridge>& bridge, CShared& shared)
        : m_Env(env), m_Bridge(bridge), m_Shared(shared)
    {
    }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void serialize(Archive& ar, const unsigned int)
    {
        using boost::serialization::make_nvp;
        if (Archive::is_loading::value)
            m_Env = std::make_shared<CEnvelope>(m_Bridge, LET_MOMENT);
        CEnvelope& env = *m_Env;
        std::int32_t t = env.m_Type;
        ar& make_nvp("m_Type", t);
        CheckLoadEffectType(t);
        env.m_Type = static_cast<LoadEffectType>(t);
        bool bOwnBridge = env.m_pBridge == m_Bridge;
        ArchiveFlag(ar, "bResultsBridge", bOwnBridge);
        if (!bOwnBridge)
            ar& make_nvp("m_pBridge", env.m_pBridge);
        CSide mx(env.m_vMax, env.m_Type, m_Shared);
        CSide mn(env.m_vMin, env.m_Type, m_Shared);
        ar& make_nvp("m_vMax", mx);
        ar& make_nvp("m_vMin", mn);
    }

    std::shared_ptr<CEnvelope>& m_Env;
    const std::shared_ptr<CBridge>& m_Bridge;
    CShared& m_Shared;
};

template <class Archive>
void SerializeCompact(Archive& ar, CEnvelopeResults& r)
{
    using boost::serialization::make_nvp;
    constexpr bool bLoading = Archive::is_loading::value;
    ar& make_nvp("m_pBridge", r.m_pBridge);
    ar& make_nvp("m_nBeamResults", r.m_nBeamResults);
    ar& make_nvp("m_nAugments", r.m_nAugments);
    ar& make_nvp("m_nAnalyses", r.m_nAnalyses);

    CShared shared;
    bool bEnvelopes = r.HasEnvelopes();
    if constexpr (!bLoading) {
        const auto whole = [](const std::shared_ptr<CEnvelope>& env) { return env != nullptr; };
        if (!std::all_of(r.m_vEnvReaction.begin(), r.m_vEnvReaction.end(), whole) ||
            (!bEnvelopes && !r.m_vEnvReaction.empty()))
            ThrowArchiveError("inconsistent envelope results");
        if (bEnvelopes) {
            shared.stations = ColumnOf(r.m_pEnvBMD->m_vMax, &PointLoadEffect::xBeam);
            if (!r.m_vEnvReaction.empty())
                shared.positions = ColumnOf(r.m_vEnvReaction.front()->m_vMax, &PointLoadEffect::xLoadModel);
            for (std::size_t k = 0; k < shared.positions.size(); ++k)
                shared.positionAt.emplace(BitsOf(shared.positions[k]), static_cast<std::uint32_t>(k));
            const auto note = [&](const std::shared_ptr<CEnvelope>& env) {
                for (const Side* side : {&env->m_vMax, &env->m_vMin})
                    for (const auto& e : *side)
                        shared.table.CodeOf(e.pLM);
            };
            note(r.m_pEnvBMD);
            note(r.m_pEnvSFD);
            for (const auto& env : r.m_vEnvReaction)
                note(env);
        }
    }
    ar& make_nvp("m_vLoadModel", shared.models);
    if (bLoading && AnyHole(shared.models))
        ThrowArchiveError("empty load model in envelope results");
    ArchiveFlag(ar, "m_bEnvelopes", bEnvelopes);
    if (!bEnvelopes) {
        if (bLoading) {
            r.m_pEnvBMD.reset();
            r.m_pEnvSFD.reset();
            r.m_vEnvReaction.clear();
        }
        return;
    }
    ArchiveNumbers(ar, "m_Stations", shared.stations);
    ArchiveNumbers(ar, "m_Positions", shared.positions);
    CCompactEnvelope bmd(r.m_pEnvBMD, r.m_pBridge, shared);
    ar& make_nvp("m_EnvBMD", bmd);
    CCompactEnvelope sfd(r.m_pEnvSFD, r.m_pBridge, shared);
    ar& make_nvp("m_EnvSFD", sfd);
    std::uint32_t nReactions = static_cast<std::uint32_t>(r.m_vEnvReaction.size());
    ar& make_nvp("m_nReactions", nReactions);
    if (bLoading) {
        // Each history takes at least a few bytes.
        CheckArchivedListCount(ar, nReactions, 4);
        r.m_vEnvReaction.assign(nReactions, nullptr);
    }
    for (auto& env : r.m_vEnvReaction) {
        CCompactEnvelope reaction(env, r.m_pBridge, shared);
        ar& make_nvp("m_EnvReaction", reaction);
    }
}

}

BOOST_CLASS_IMPLEMENTATION(envelope_archive::CSide, boost::serialization::object_serializable)
BOOST_CLASS_TRACKING(envelope_archive::CSide, boost::serialization::track_never)
BOOST_CLASS_IMPLEMENTATION(envelope_archive::CCompactEnvelope, boost::serialization::object_serializable)
BOOST_CLASS_TRACKING(envelope_archive::CCompactEnvelope, boost::serialization::track_never)

template <class Archive>
void PointLoadEffect::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar& make_nvp("val", val);
    ar& make_nvp("xBeam", xBeam);
    ar& make_nvp("xLoadModel", xLoadModel);
    std::int32_t t = type;
    ar& make_nvp("type", t);
    CheckLoadEffectType(t);
    type = static_cast<LoadEffectType>(t);
    ar& make_nvp("pLM", pLM);
}

template <class Archive>
void CEnvelope::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar& make_nvp("m_pBridge", m_pBridge);
    std::int32_t t = m_Type;
    ar& make_nvp("m_Type", t);
    CheckLoadEffectType(t);
    m_Type = static_cast<LoadEffectType>(t);
    ar& make_nvp("m_vMax", m_vMax);
    ar& make_nvp("m_vMin", m_vMin);
}

template <class Archive>
void CEnvelopeResults::serialize(Archive& ar, const unsigned int version)
{
    using boost::serialization::make_nvp;
    const bool bCompact = Archive::is_loading::value ? version >= 1 : !WritesLegacyLayout(ar);
    if (bCompact) {
        envelope_archive::SerializeCompact(ar, *this);
    } else {
        ar& make_nvp("m_pBridge", m_pBridge);
        ar& make_nvp("m_pEnvBMD", m_pEnvBMD);
        ar& make_nvp("m_pEnvSFD", m_pEnvSFD);
        ar& make_nvp("m_vEnvReaction", m_vEnvReaction);
        ar& make_nvp("m_nBeamResults", m_nBeamResults);
        ar& make_nvp("m_nAugments", m_nAugments);
        ar& make_nvp("m_nAnalyses", m_nAnalyses);
    }
    if (Archive::is_loading::value) {
        m_vBeamResults.clear();
        if (!LoadedEnvelopesConsistent())
            ThrowArchiveError("inconsistent envelope results");
    }
    AfterArchive();
}

QEL_INSTANTIATE_SERIALIZE(PointLoadEffect);
QEL_INSTANTIATE_SERIALIZE(CEnvelope);
QEL_INSTANTIATE_SERIALIZE(CEnvelopeResults);
BOOST_CLASS_EXPORT_IMPLEMENT(CEnvelope)
BOOST_CLASS_EXPORT_IMPLEMENT(CEnvelopeResults)
