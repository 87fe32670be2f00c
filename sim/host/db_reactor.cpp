#include "host/vx_db.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxDbDatabaseReactor, VxRxObject)
SIM_RX_DEFINE_CLASS(VxDbDatabase, VxRxObject)

void VxDbDatabaseReactor::onObjectAdded(const VxDbDatabase*, const VxDbObject*) {}
void VxDbDatabaseReactor::objectUnAppended(const VxDbDatabase*, const VxDbObject*) {}
void VxDbDatabaseReactor::objectReAppended(const VxDbDatabase*, const VxDbObject*) {}
void VxDbDatabaseReactor::objectOpenedForModify(const VxDbDatabase*, const VxDbObject*) {}
void VxDbDatabaseReactor::objectModified(const VxDbDatabase*, const VxDbObject*) {}
void VxDbDatabaseReactor::onObjectErased(const VxDbDatabase*, const VxDbObject*, bool) {}
void VxDbDatabaseReactor::headerSysVarWillChange(const VxDbDatabase*, const char16_t*) {}
void VxDbDatabaseReactor::headerSysVarChanged(const VxDbDatabase*, const char16_t*, bool) {}
void VxDbDatabaseReactor::proxyResurrectionCompleted(const VxDbDatabase*, const char16_t*) {}
void VxDbDatabaseReactor::goodbye(const VxDbDatabase*) {}

VxDbHostApplicationServices::~VxDbHostApplicationServices() = default;
