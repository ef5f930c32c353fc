#pragma once
// The state of one document window, free of any toolkit. Arrays are stored
// 0-based and contiguous; the accessors take the 1-based (column, row) indices
// used throughout the program and in the file formats.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sx {

// Asks the system to back the whole 2 MiB pages inside [p, p + bytes) with
// huge pages when they are first touched: one fault instead of 512 for each.
// Only for blocks of at least kHugePageAdviceBytes; a no-op elsewhere.
constexpr size_t kHugePageAdviceBytes = size_t(2) << 20;
void AdviseHugePages(void *p, size_t bytes);

// Leaves new elements uninitialised on resize(n): the readers fill large
// arrays straight from the file and should not pay for zeroing them first.
// Every other place sizes these arrays with assign(n, value). Large arrays
// are advised to use huge pages.
template <typename T>
struct NoInitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = NoInitAllocator<U>;
    };
    NoInitAllocator() = default;
    template <typename U>
    NoInitAllocator(const NoInitAllocator<U> &) noexcept {}
    T *allocate(size_t n) {
        T *p = std::allocator<T>::allocate(n);
        AdviseHugePages(p, n * sizeof(T));
        return p;
    }
    template <typename U>
    void construct(U *p) noexcept {
        ::new (static_cast<void *>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U *p, Args &&...args) {
        ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
    }
};
template <typename T>
using FieldArray = std::vector<T, NoInitAllocator<T>>;

enum VectorStatus : int32_t {
    StatusRemoved = -1,
    StatusInvalid = 0,
    StatusValid = 1,
    StatusChanged = 2,
    StatusInterpolated = 3,
    StatusPeak4 = 4,
    StatusQuestionable = 5,
    StatusNewlyInterpolated = 127,
};

enum BackgroundMode : int32_t {
    BackNone = 0,
    BackSwirlSquare = 1,
    BackVorticity = 2,
    BackFromBuffer = 3,
};

// red + 256*green + 65536*blue
inline int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
inline int RedOf(int32_t c) { return c & 0xFF; }
inline int GreenOf(int32_t c) { return (c >> 8) & 0xFF; }
inline int BlueOf(int32_t c) { return (c >> 16) & 0xFF; }

struct RecordingHeader {
    std::string DateAndTime, Recording1, Recording2, FlowType, PhaseType, RecordingType, Algorithm;
    int32_t ImageWidth = 0, ImageHeight = 0;
    int32_t InterrogationWidth = 0, InterrogationHeight = 0;
    int32_t GridStepX = 0, GridStepY = 0;
    int32_t FirstColumnPixel = 0, FirstRowPixel = 0;
    int32_t PixelsPerCm = 0;
    int32_t TimeInterval = 0;
};

// Order in memory and in the own file format.
enum ColorIndex {
    ColVector = 0,
    ColVectorQuest,
    ColVectorCrit,
    ColCoordSystem,
    ColTrajectory,
    ColBackground,
    ColBackMin,
    ColBackNull,
    ColBackMax,
    ColorCount
};

struct ColorTable {
    std::array<int32_t, ColorCount> c{};
    int32_t &operator[](int k) { return c[static_cast<size_t>(k)]; }
    int32_t operator[](int k) const { return c[static_cast<size_t>(k)]; }
};

struct ColorSetting {
    const char *key;
    ColorIndex index;
    int32_t defaultValue;
};
// The settings keys in the order in which a document reads them.
extern const std::array<ColorSetting, ColorCount> kColorSettings;
ColorTable DefaultColors();

constexpr int kMaxTrajectories = 50;

struct TrajectoryRing {
    // slots 1..50 live at index 0..49
    std::array<double, kMaxTrajectories> X0{}, Y0{}, Step{}, Spare{};
    int32_t Count = 0;
    int32_t Last = 0;
};

// Menu check states that belong to the document (stored in the own file,
// kept by undo) plus the window options that do not.
struct ViewState {
    bool ShowHeader = false;
    bool ShowTable = false;
    bool ShowVectorfield = true;
    bool ShowCoordSystem = false;
    bool AspectRatioCorrection = false;
    int32_t Background = BackNone;
    bool CritPointShown = false;  // enabled state of the critical-point menu item
    bool AutoDrawVectorfield = true;
    bool AutoClearTrajectories = true;
};

struct UndoSnapshot {
    std::string Caption;  // empty: nothing to undo
    bool CritPointShown = false;
    double VectorScale = 0, BackMinValue = 0, BackMaxValue = 0;
    bool ShowHeader = false, ShowTable = false, ShowVectorfield = false, ShowCoordSystem = false, AspectRatio = false;
    int32_t BackgroundMode = BackNone;
    double TrafoShiftX = 0, TrafoShiftY = 0, CritPointX = 0, CritPointY = 0, GalileiU = 0, GalileiV = 0;
    FieldArray<double> PosX, PosY, U, V;
    FieldArray<int32_t> Status;
    std::string InfoText;
    std::array<double, kMaxTrajectories> TrajX0{}, TrajY0{}, TrajStep{};
    int32_t TrajCount = 0, TrajLast = 0;
};

struct VectorDocument {
    // file identity
    std::string FilePath;
    std::string FileName;
    bool Modified = false;

    RecordingHeader Header;

    // grid and vectors
    int32_t NX = 0, NY = 0;
    int32_t ValidCount = 0;
    FieldArray<double> PosXs, PosYs;        // NX, NY
    FieldArray<double> Us, Vs, BackValues;  // NX*NY, column fastest
    FieldArray<int32_t> Statuses;           // NX*NY

    // transformation and analysis state
    double TrafoShiftX = 0, TrafoShiftY = 0;
    double CritPointX = 0, CritPointY = 0;
    double GalileiU = 0, GalileiV = 0;
    std::string InfoText;

    // display state
    double VectorScale = 1.0;
    double DrawScale = 0;
    ColorTable Colors = DefaultColors();
    double BackMinValue = -1.0, BackNullValue = 0, BackMaxValue = 1.0;
    double SpareValue1 = 0, SpareValue2 = 0, SpareValue3 = 0;
    double RefVelocity = 0;
    bool RefLeft = false, RefTop = false;

    // pointer interaction and streamlines
    bool MarkerDrawn = false;
    bool IgnoreMouseUp = false;
    bool DistanceActive = false;
    int32_t DistanceStartX = 0, DistanceStartY = 0;
    double StepFactor = 0.01;
    bool BothDirections = true;
    double ExportDistance = 0.1;
    TrajectoryRing Trajectories;

    ViewState View;
    UndoSnapshot Undo;

    // Sizes every array for nx x ny, all zero.
    void Resize(int32_t nx, int32_t ny);
    size_t NodeCount() const { return static_cast<size_t>(NX) * static_cast<size_t>(NY); }
    size_t Index(int i, int j) const {
        return static_cast<size_t>(j - 1) * static_cast<size_t>(NX) + static_cast<size_t>(i - 1);
    }

    double &PosX(int i) { return PosXs[static_cast<size_t>(i - 1)]; }
    double PosX(int i) const { return PosXs[static_cast<size_t>(i - 1)]; }
    double &PosY(int j) { return PosYs[static_cast<size_t>(j - 1)]; }
    double PosY(int j) const { return PosYs[static_cast<size_t>(j - 1)]; }
    double &U(int i, int j) { return Us[Index(i, j)]; }
    double U(int i, int j) const { return Us[Index(i, j)]; }
    double &V(int i, int j) { return Vs[Index(i, j)]; }
    double V(int i, int j) const { return Vs[Index(i, j)]; }
    int32_t &Status(int i, int j) { return Statuses[Index(i, j)]; }
    int32_t Status(int i, int j) const { return Statuses[Index(i, j)]; }
    double &BackValue(int i, int j) { return BackValues[Index(i, j)]; }
    double BackValue(int i, int j) const { return BackValues[Index(i, j)]; }
    bool IsValid(int i, int j) const { return Status(i, j) > 0; }

    int32_t CountValid() const;
    // Caption of the window: the file name, marked when modified.
    std::string Caption() const;
};

// Sizes `a` to n zeros in one memset, the library's fastest clear of a large
// block (assign(n, 0.0) stores element by element); a document's background
// array is cleared this way on every load.
void AssignZeros(FieldArray<double> &a, size_t n);

// The load-time initial values of a new document (everything else zero).
void SetLoadDefaults(VectorDocument &doc);

}  // namespace sx
