// The mechanical layer's standards: the standard manager, the current standard, its
// parts-list standard ("VxmBOMStd") and the column definitions of that standard.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/vx_db.h"
#include "host/vx_export.h"

class VX_HOST_API VxmStdManager {
  public:
    // Id of the current VxmStandard of the database (the working database when null).
    virtual Vx::ErrorStatus getCurrentStandard(VxDbObjectId& standardId,
                                               VxDbDatabase* database = nullptr) = 0;

  protected:
    virtual ~VxmStdManager();
};

VX_HOST_API VxmStdManager* getVxmStdMgr();

class VX_HOST_API VxmStandard : public VxDbObject {
  public:
    VxmStandard() = default;
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    // Id of the current symbol standard of that kind, e.g. "VxmBOMStd".
    Vx::ErrorStatus getCurrentSymbolStd(VxDbObjectId& symbolStdId, const char16_t* kind) const;

  private:
    friend class VxHostInternals;
    friend class VxmInternals;
    VxDbObjectId bomStd_;
};

// One column of a parts-list standard; owned by its VxmBOMStd, valid while that is open.
class VX_HOST_API VxmCColumnDef {
  public:
    virtual ~VxmCColumnDef();
    virtual const char16_t* columnName() const;
    virtual bool isVisible() const;
    // The standard must be open for write; otherwise the flag stays as it is.
    virtual void setVisible(bool visible);

    int columnType() const { return type_; }
    int dataType() const { return dataType_; }
    const VxString& displayText() const { return display_; }

  private:
    friend class VxHostInternals;
    friend class VxmInternals;
    friend class VxmBOMStd;
    VxmCColumnDef(int type, int dataType, const char16_t* name, const char16_t* display);
    int type_ = 0;
    int dataType_ = 0;
    VxString name_;
    VxString display_;
    bool visible_ = true;
    const class VxmBOMStd* owner_ = nullptr;
};

class VX_HOST_API VxmBOMStd : public VxDbObject {
  public:
    VxmBOMStd() = default;
    ~VxmBOMStd() override;
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    // The column of that name (exact, case-sensitive) or null; index receives its position.
    VxmCColumnDef* column(const char16_t* name, int* index = nullptr) const;
    VxmCColumnDef* column(int index) const;
    std::int16_t columnLength() const;
    // Appends a visible column; the standard must be open for write (else
    // Vx::eNotOpenForWrite). A name already present is refused with Vx::eDuplicateKey, an
    // empty name with Vx::eInvalidInput.
    Vx::ErrorStatus appendColumn(int columnType, int dataType, const char16_t* name,
                                 const char16_t* displayText);

  private:
    friend class VxHostInternals;
    friend class VxmInternals;
    std::vector<std::unique_ptr<VxmCColumnDef>> columns_;
};
