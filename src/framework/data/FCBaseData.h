// A data object: the in-memory copy of one host document record plus the keys that locate it.
// It loads the record through the record access layer, hands out its bytes to the field
// accessors of its class, saves it back, creates it as a new record, deletes it, or walks all
// records of its kind. A data size of 0 means that nothing is loaded; every operation that
// needs a record fails at once then.
#pragma once

#include "framework/core/FCBase.h"
#include "hostinterface/HostAbi.h"

#include <cstdint>
#include <memory>

class __FCBaseData : public __FCBase {
public:
    // The key value that asks the host to assign a new item number or incidence.
    static constexpr std::int16_t kNewKey = -1;

    __FCBaseData() = default;
    __FCBaseData(const __FCBaseData&) = delete;
    __FCBaseData& operator=(const __FCBaseData&) = delete;
    ~__FCBaseData() override = default;

    const char* ClassName() const override { return "__FCBaseData"; }

    // The record storage embedded in the concrete object, RecordSize bytes.
    virtual void* GetRecordBuffer() = 0;
    virtual void ReservedHook1() {}
    virtual bool ReservedHook2() { return false; }
    // A new, empty, unloaded object of the same class.
    virtual __FCBaseData* CreateObject() const = 0;
    virtual std::uint32_t RecordTag() const = 0;
    virtual std::uint32_t RecordVersion() const { return HostAbi::kInterfaceVersion; }
    virtual std::int32_t RecordSize() const = 0;
    virtual std::int32_t GetDataSize() const { return dataSize_; }
    // Takes a copy of another object's record: into a block of its own, owned by this object.
    // Concrete classes copy into their embedded storage instead (CopyRecordFrom).
    virtual void CopyDataFrom(__FCBaseData* other);
    [[nodiscard]] virtual bool Save();
    [[nodiscard]] virtual bool Reload();
    [[nodiscard]] virtual bool DeleteData();
    // A second entry that deletes the record as DeleteData does.
    [[nodiscard]] virtual bool DeleteDataSecondEntry() { return DeleteData(); }
    [[nodiscard]] virtual bool LoadFirst() = 0;
    // Moves to the next record of the class's tag and loads it; at the end nothing changes.
    [[nodiscard]] virtual bool LoadNext();

    // Loads the record at the current keys into the embedded storage.
    [[nodiscard]] bool LoadData();

    // The host's document number at the last successful load, 0 before.
    std::uint16_t GetDocumentStamp() const { return documentStamp_; }

protected:
    std::int16_t Key(int index) const { return keys_[index]; }
    void SetKeys(std::int16_t key1, std::int16_t key2) {
        keys_[0] = key1;
        keys_[1] = key2;
    }
    void SetKey(int index, std::int16_t value) { keys_[index] = value; }
    void SetDataSize(std::int32_t size) { dataSize_ = size; }
    // Loads the record at the current keys as LoadData does, but asks the host nothing more: no
    // document stamp is taken. For probes that only learn whether a record loads.
    [[nodiscard]] bool LoadRecordOnly();

    // The record's bytes: the owned copy when there is one, else the embedded storage.
    void* RecordData();
    const void* RecordData() const;
    // Drops any owned copy: the record's bytes are the embedded storage again, which is where
    // loads land (it holds RecordSize bytes; an owned copy may be smaller).
    void* EmbeddedRecord();

    // The copy concrete classes make: RecordSize bytes of another object of the same class into
    // the embedded storage; data size := RecordSize. Nothing happens for an unloaded object or
    // one of another class.
    void CopyRecordFrom(__FCBaseData* other);

    // Creates the record with placeholder keys; the keys take the host's assignment, and stay
    // as they were when the host refuses.
    [[nodiscard]] bool CreateWithKeys(std::int16_t key1, std::int16_t key2, std::int16_t key3);

private:
    // Data collections hand every copied element the keys and stamp of the record it copies.
    friend class __FCCollectionData;
    void TakeLocationFrom(const __FCBaseData& other);

    std::uint16_t documentStamp_ = 0;
    std::unique_ptr<unsigned char[]> ownedData_;
    std::int32_t dataSize_ = 0;
    std::int16_t keys_[3] = {0, 0, 0};
};
