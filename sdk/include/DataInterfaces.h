// The host's stock data implementations that carry command arguments.
#pragma once

#include "IPMUnknown.h"
#include "UIDRef.h"

class IIntData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IINTDATA };
    virtual void Set(int32 value) = 0;
    virtual int32 Get() const = 0;
};

class IRealNumberData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IREALNUMBERDATA };
    virtual void Set(double value) = 0;
    virtual double Get() const = 0;
};

class IBoolData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IBOOLDATA };
    virtual void Set(bool16 value) = 0;
    virtual bool16 Get() const = 0;
};

class IUIDData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IUIDDATA };
    virtual void Set(const UIDRef& ref) = 0;
    virtual const UIDRef& GetRef() const = 0;
    virtual UID GetItemUID() const = 0;
    virtual IDataBase* GetItemDataBase() const = 0;
};
