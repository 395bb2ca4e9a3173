#include "app/mainwindow/MainWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

namespace vxo {
namespace {

// The recorder accessor resolves every recorder type to exactly one member;
// taking its address instantiates the lookup, which does not compile for a
// type held twice or not at all.
template <typename... Recorders>
constexpr bool everyRecorderReachable()
{
    constexpr auto accessors = std::make_tuple(&MainWindow::recorder<Recorders>...);
    return std::tuple_size<decltype(accessors)>::value == sizeof...(Recorders);
}

TEST(MainWindowDeclaration, BuildsOnTheLandedLibrariesWithoutAMetaObjectOfItsOwn)
{
    static_assert(std::is_base_of<QMainWindow, MainWindow>::value, "the one window is a QMainWindow");
    static_assert(!std::is_copy_constructible<MainWindow>::value && !std::is_copy_assignable<MainWindow>::value,
                  "the window owns the simulation state and is never copied");
    static_assert(everyRecorderReachable<RevivalRecorder, BilliardRecorder, TalbotRecorder, BouncerRecorder,
                                         VortexRecorder, AndersonRecorder, KickedRotorRecorder, ZenoRecorder,
                                         ScarRecorder, BerryRecorder, LoschmidtRecorder, MoshinskyRecorder,
                                         KapitzaDiracRecorder, AharonovBohmRecorder, LandauRecorder, HallEdgeRecorder,
                                         BackflowRecorder, DiracZitterbewegungRecorder, DiracKleinRecorder>(),
                  "nineteen recorders, one member each");

    // Reactions to the form are function objects: the class adds no signals,
    // slots or properties, so its meta-object is the base class's.
    EXPECT_EQ(&MainWindow::staticMetaObject, &QMainWindow::staticMetaObject)
        << "MainWindow declares a meta-object of its own";
    EXPECT_STREQ(MainWindow::staticMetaObject.className(), "QMainWindow");
}

} // namespace
} // namespace vxo
