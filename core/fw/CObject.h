// CObject: the common base of objects handed around without their type, such as update hints.
#pragma once

// A view's OnUpdate receives its hint object as a CObject*; the receiver knows from the update
// code which class it really is. Nothing more than a virtual destructor is needed for that.
class CObject {
public:
    virtual ~CObject() = default;
};
