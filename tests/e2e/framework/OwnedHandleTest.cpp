// The wrappers that own a GDI object or a menu: a handle is freed once, by
// the owner that holds it last, and one given up by Detach is left alone.
#include "afx/Gdi.h"
#include "afx/Menu.h"

#include <gtest/gtest.h>

namespace {

bool Exists(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(OwnedHandle, GdiObjectIsDeletedByItsLastOwner)
{
    HGDIOBJ first = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ second = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    ASSERT_TRUE(first && second);
    {
        CPen other;
        {
            CPen pen;
            EXPECT_FALSE(pen.DeleteObject()) << "an empty pen reported a deletion";
            ASSERT_TRUE(pen.Attach(first));
            EXPECT_FALSE(pen.Attach(NULL));
            EXPECT_EQ(first, pen.GetSafeHandle()) << "attaching nothing dropped the pen held";
            EXPECT_TRUE(pen.Attach(first));
            EXPECT_TRUE(Exists(first)) << "attaching the pen held again deleted it";
            ASSERT_TRUE(pen.Attach(second));
            EXPECT_FALSE(Exists(first)) << "the pen held before was not deleted";
            other.Attach(pen.Detach());
            EXPECT_EQ(NULL, pen.GetSafeHandle());
        }
        EXPECT_TRUE(Exists(second)) << "a detached pen was deleted by its former owner";
    }
    EXPECT_FALSE(Exists(second)) << "the last owner went without deleting its pen";
}

TEST(OwnedHandle, MenuIsDestroyedByItsLastOwner)
{
    HMENU first = NULL, kept = NULL, last = NULL;
    {
        CMenu menu;
        EXPECT_FALSE(menu.DestroyMenu()) << "an empty menu reported a destruction";
        ASSERT_TRUE(menu.CreatePopupMenu());
        first = menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        EXPECT_FALSE(IsMenu(first)) << "the menu held before was not destroyed";
        kept = menu.Detach();
        ASSERT_TRUE(menu.CreatePopupMenu());
        last = menu;
    }
    EXPECT_TRUE(IsMenu(kept)) << "a detached menu was destroyed by its former owner";
    EXPECT_FALSE(IsMenu(last)) << "the owner went without destroying its menu";
    DestroyMenu(kept);
}

}  // namespace
