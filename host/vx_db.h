// The host's drawing database: objects, entities, the block table and its records,
// block references, database reactors, and the functions that open objects.
//
// Opening rules: an object is opened for read (any number of times) or for write (once, and
// not while it is open for read); every open must be matched by one close(). The host keeps
// a ledger of open objects. Objects that the caller creates with new are owned by the caller
// until they are appended to a database (appendVxDbEntity); after that the database owns
// them and the caller only closes them. A created object that was never appended is deleted
// by its creator (its objectId() is null).
#pragma once

#include <cstdint>

#include "host/vx_array.h"
#include "host/vx_db_object_id.h"
#include "host/vx_export.h"
#include "host/vx_ge.h"
#include "host/vx_rx.h"
#include "host/vx_status.h"
#include "host/vx_string.h"

namespace VxDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };
}

class VxDbDatabase;
class VxHostInternals;  // the host's own implementation; modules never see it

// Objects of the database are allocated from the host's heap, so that the host can delete
// what a module created and the other way round.
class VX_HOST_API VxHeapOperators {
  public:
    static void* operator new(std::size_t size);
    static void operator delete(void* p);
};

class VX_HOST_API VxDbObject : public VxRxObject, public VxHeapOperators {
  public:
    VxDbObject();
    ~VxDbObject() override;
    VxDbObject(const VxDbObject&) = delete;
    VxDbObject& operator=(const VxDbObject&) = delete;
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    VxDbObjectId objectId() const;  // null while the object is in no database
    VxDbDatabase* database() const;
    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;

    // Ends one open of this object.
    Vx::ErrorStatus close();
    // Marks the object erased (or un-erased); it must be open for write.
    Vx::ErrorStatus erase(bool erasing = true);

  private:
    friend class VxHostInternals;
    VxDbObjectId id_;
    VxDbDatabase* database_ = nullptr;
    int readers_ = 0;
    bool writer_ = false;
    bool erased_ = false;
};

class VX_HOST_API VxDbEntity : public VxDbObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    // Takes the default properties (layer, colour, linetype) of the database, or of the
    // working database when none is given. A constructed entity has layer "0", colour
    // ByLayer (256) and linetype "ByLayer" until then.
    Vx::ErrorStatus setDatabaseDefaults(VxDbDatabase* database = nullptr);
    virtual Vx::ErrorStatus transformBy(const VxGeMatrix3d& transform);

    VxGePoint3d position() const;
    const VxString& layer() const;
    int colorIndex() const;  // 0 ByBlock, 1 to 255, 256 ByLayer
    const VxString& linetype() const;

  private:
    friend class VxHostInternals;
    VxGePoint3d position_;
    VxString layer_{u"0"};
    int colorIndex_ = 256;
    VxString linetype_{u"ByLayer"};
    bool defaultsSet_ = false;
};

// A plain entity with no meaning to the mechanical layer (lines, circles, texts...).
class VX_HOST_API VxDbLine : public VxDbEntity {
  public:
    VxDbLine() = default;
    static VxRxClass* desc();
    VxRxClass* isA() const override;
};

class VX_HOST_API VxDbBlockReference : public VxDbEntity {
  public:
    VxDbBlockReference() = default;
    VxDbBlockReference(const VxGePoint3d& position, VxDbObjectId blockTableRecord);
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    VxDbObjectId blockTableRecord() const;

  private:
    friend class VxHostInternals;
    VxDbObjectId block_;
};

// Walks the entities of a block table record. Created by newIterator; the caller deletes it.
class VX_HOST_API VxDbBlockTableRecordIterator : public VxHeapOperators {
  public:
    virtual ~VxDbBlockTableRecordIterator();
    virtual bool done() const = 0;
    virtual Vx::ErrorStatus getEntityId(VxDbObjectId& id) const = 0;
    virtual void step(bool forward = true, bool skipDeleted = true) = 0;
};

class VX_HOST_API VxDbBlockTableRecord : public VxDbObject {
  public:
    VxDbBlockTableRecord() = default;
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    const VxString& name() const;
    // The record must be open; the iterator must be deleted before the record is closed.
    Vx::ErrorStatus newIterator(VxDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
    // The record must be open for write. On success the database owns entity.
    Vx::ErrorStatus appendVxDbEntity(VxDbObjectId& id, VxDbEntity* entity);
    bool isFromExternalReference() const;
    // The file path of an external reference; empty for other blocks.
    Vx::ErrorStatus pathName(VxString& path) const;

  private:
    friend class VxHostInternals;
    VxString name_;
    VxString xrefPath_;
    VxArray<VxDbObjectId> entities_;
};

class VX_HOST_API VxDbBlockTable : public VxDbObject {
  public:
    VxDbBlockTable() = default;
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    // Opens the record of that name ("*Model_Space" for model space).
    Vx::ErrorStatus getAt(const char16_t* name, VxDbBlockTableRecord*& record, VxDb::OpenMode mode,
                          bool openErased = false) const;
    Vx::ErrorStatus getAt(const char16_t* name, VxDbObjectId& id, bool getErased = false) const;

  private:
    friend class VxHostInternals;
    VxArray<VxDbObjectId> records_;
};

// Database events. Every operation does nothing unless a reactor overrides it; the host
// calls them in this order of declaration for one change.
class VX_HOST_API VxDbDatabaseReactor : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual void onObjectAdded(const VxDbDatabase* database, const VxDbObject* object);
    virtual void objectUnAppended(const VxDbDatabase* database, const VxDbObject* object);
    virtual void objectReAppended(const VxDbDatabase* database, const VxDbObject* object);
    virtual void objectOpenedForModify(const VxDbDatabase* database, const VxDbObject* object);
    virtual void objectModified(const VxDbDatabase* database, const VxDbObject* object);
    // erased is true when the object was erased, false when its erasure was undone.
    virtual void onObjectErased(const VxDbDatabase* database, const VxDbObject* object,
                                bool erased);
    virtual void headerSysVarWillChange(const VxDbDatabase* database, const char16_t* name);
    virtual void headerSysVarChanged(const VxDbDatabase* database, const char16_t* name,
                                     bool success);
    virtual void proxyResurrectionCompleted(const VxDbDatabase* database, const char16_t* appName);
    virtual void goodbye(const VxDbDatabase* database);
};

class VX_HOST_API VxDbDatabase : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual Vx::ErrorStatus getSymbolTable(VxDbBlockTable*& table, VxDb::OpenMode mode) = 0;
    virtual void addReactor(VxDbDatabaseReactor* reactor) = 0;
    virtual void removeReactor(VxDbDatabaseReactor* reactor) = 0;
};

class VX_HOST_API VxDbHostApplicationServices {
  public:
    virtual ~VxDbHostApplicationServices();
    virtual VxDbDatabase* workingDatabase() const = 0;
};

VX_HOST_API VxDbHostApplicationServices* vxdbHostApplicationServices();

// Opens the object with that id. With a required class, an object of another class is not
// opened and the answer is Vx::eNotThatKindOfClass. An id that names no object answers
// Vx::eUnknownHandle (the null id: Vx::eNullObjectId); an erased object Vx::eWasErased
// unless openErased is set.
VX_HOST_API Vx::ErrorStatus vxdbOpenVxDbObject(VxDbObject*& object, VxDbObjectId id,
                                               VxDb::OpenMode mode,
                                               const VxRxClass* required = nullptr,
                                               bool openErased = false);

template <class T>
Vx::ErrorStatus vxdbOpenVxDbObject(T*& object, VxDbObjectId id, VxDb::OpenMode mode,
                                   bool openErased = false) {
    VxDbObject* opened = nullptr;
    const Vx::ErrorStatus status = vxdbOpenVxDbObject(opened, id, mode, T::desc(), openErased);
    object = status == Vx::eOk ? static_cast<T*>(opened) : nullptr;
    return status;
}

// Entity names of the host's lisp and input interface.
using vx_name = std::int64_t[2];

// The last entity added to the working database that is not erased; kRtNorm or kRtError.
VX_HOST_API int vxdbEntLast(vx_name name);
VX_HOST_API Vx::ErrorStatus vxdbGetObjectId(VxDbObjectId& id, const vx_name name);
// Converts a point (or a displacement) from the current user coordinate system to world
// coordinates; kRtNorm on success.
VX_HOST_API int vxdbUcs2Wcs(const double from[3], double to[3], bool isDisplacement);
