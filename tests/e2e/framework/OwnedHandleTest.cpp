// The wrappers that own a GDI object, a menu, a registry key or a device
// context: a handle is freed once, by the owner that holds it last, and one
// given up by Detach is left alone; a selection is undone by its guard.
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
        first = menu.GetSafeHandle();
        ASSERT_TRUE(menu.CreatePopupMenu());
        EXPECT_FALSE(IsMenu(first)) << "the menu held before was not destroyed";
        kept = menu.Detach();
        ASSERT_TRUE(menu.CreatePopupMenu());
        last = menu.GetSafeHandle();
    }
    EXPECT_TRUE(IsMenu(kept)) << "a detached menu was destroyed by its former owner";
    EXPECT_FALSE(IsMenu(last)) << "the owner went without destroying its menu";
    DestroyMenu(kept);
}

TEST(OwnedHandle, RegistryKeyIsClosedByItsOwner)
{
    HKEY kept = NULL, closed = NULL;
    {
        CRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &kept));
        ASSERT_TRUE(key.Attach(kept));
        kept = key.Detach();
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &closed));
        ASSERT_TRUE(key.Attach(closed));
    }
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(kept)) << "a detached key was closed by its former owner";
    EXPECT_NE(ERROR_SUCCESS, RegCloseKey(closed)) << "the owner went without closing its key";
}

TEST(OwnedHandle, MemoryDcIsDeletedAndASelectionUndone)
{
    HDC dc = NULL;
    HGDIOBJ bitmap = CreateBitmap(4, 4, 1, 1, NULL);
    ASSERT_TRUE(bitmap);
    {
        CMemoryDC memory(NULL);
        dc = memory.m_hDC;
        ASSERT_TRUE(dc);
        HGDIOBJ first = GetCurrentObject(dc, OBJ_BITMAP);
        {
            CSelection selection(dc, bitmap);
            EXPECT_EQ(bitmap, GetCurrentObject(dc, OBJ_BITMAP));
        }
        EXPECT_EQ(first, GetCurrentObject(dc, OBJ_BITMAP)) << "the guard left its object selected";
    }
    EXPECT_EQ(0u, GetObjectType(dc)) << "the memory DC outlived its owner";
    EXPECT_TRUE(DeleteObject(bitmap)) << "a bitmap still selected cannot be deleted";
}

}  // namespace
