#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class CElement;

enum AnalysisOutputType : std::int32_t {
    AO_SINGLEPOSITION = 0,
    AO_MOVINGLOAD = 1,
    AO_MULTIMOVINGLOAD = 2,
    AO_BRIDGERANGE = 3,
    AO_REFERENCESET = 4,
    AO_COMPAREREFSETENVS = 5,
    AO_CRITICALRATIOS = 6,
    AO_ENHANCED = 7,
};

// The record of one finished analysis that a result window shows: its inputs, its
// results, its one-line description and the point the user last picked.
//
// Every kind keeps up to three objects in fixed slots; the views read slot 1 and slot 3
// of any kind through GetReferenceSet<T> and GetResults<T>, which give an empty pointer
// when the slot does not hold exactly a T.
class CAnalysisOutput {
public:
    virtual ~CAnalysisOutput() = default;
    CAnalysisOutput(const CAnalysisOutput&) = delete;
    CAnalysisOutput& operator=(const CAnalysisOutput&) = delete;

    virtual std::wstring Describe() const = 0;
    // Keeps the point and returns its label: "Reaction n!", "Shear!" or "Bending!", then
    // the two coordinates on lines of their own.
    virtual std::wstring SetDataPoint(bool bReaction, int index, double x, double y);

    template <class T>
    std::shared_ptr<T> GetReferenceSet() const
    {
        return m_Slot1.Get<T>();
    }
    template <class T>
    std::shared_ptr<T> GetResults() const
    {
        return m_Slot3.Get<T>();
    }

    AnalysisOutputType m_Type;
    std::int32_t m_nAnalyses = 0;
    std::wstring m_Separator = L" | ";
    double m_PointX = 0.0;
    double m_PointY = 0.0;

protected:
    CAnalysisOutput(AnalysisOutputType type, std::int32_t nAnalyses) : m_Type(type), m_nAnalyses(nAnalyses) {}

    class CSlot {
    public:
        template <class T>
        void Set(std::shared_ptr<T> p)
        {
            m_pType = &typeid(T);
            m_p = std::move(p);
        }
        template <class T>
        std::shared_ptr<T> Get() const
        {
            if (!m_p || !m_pType || *m_pType != typeid(T))
                return nullptr;
            return std::static_pointer_cast<T>(m_p);
        }

    private:
        std::shared_ptr<void> m_p;
        const std::type_info* m_pType = nullptr;
    };

    std::wstring Join(const std::vector<std::wstring>& parts) const;
    static std::wstring NameOf(const CElement* pElement);
    static std::wstring OnOff(bool b) { return b ? L"On" : L"Off"; }

    CSlot m_Slot1;
    CSlot m_Slot2;
    CSlot m_Slot3;
};
