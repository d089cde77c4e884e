// The host's vessel interface: VESSEL, through which a module reads and changes its vessel in the
// simulation, and VESSEL2 to VESSEL4, whose virtual callbacks the host calls on the module's
// vessel object. The host implements every non-virtual member and the base behaviour of each
// callback; a module resolves them against the host at load time.
//
// Declared here for every build, the Windows DLLs included: the members the module uses with the
// simulator's exact signatures (constness, parameter and return types, which its exported names
// carry), the simulator's data members, and every callback in the simulator's order. VESSEL has no
// virtual function, so a vessel object's virtual table starts with VESSEL2::clbkSetClassCaps; the
// slot of each callback is in host/abi/AbiTable.h, which scripts/check-abi.py holds this header to.
#pragma once

#include "host/HostTypes.h"
#include "host/Sketchpad.h"

class Vessel;  // the host's own record of a vessel

class QM_HOST_API VESSEL {
  public:
    VESSEL(OBJHANDLE hVessel, int fmodel = 1);

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"  // the kit's signature
    const OBJHANDLE GetHandle() const;
#pragma GCC diagnostic pop
    char* GetName() const;
    // 0 VESSEL, 1 VESSEL2, 2 VESSEL3, 3 VESSEL4: which callbacks the object has.
    int Version() const { return version; }
    // GetClassName in the kit; the system headers name it GetClassNameA.
    char* GetClassNameA() const;

    // Physical definition.
    void SetSize(double size) const;
    void SetEmptyMass(double m) const;
    // Drag coefficients for +z, -z, x and y.
    void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
    void SetCrossSections(const VECTOR3& cs) const;
    void SetRotDrag(const VECTOR3& rd) const;
    void SetPitchMomentScale(double scale) const;
    void SetBankMomentScale(double scale) const;
    // Principal moments of inertia per unit mass, m^2.
    void SetPMI(const VECTOR3& pmi) const;
    // The points the vessel stands on when landed, copied; the first three span the plane it
    // rests level on. Fewer than three leave the points as they were.
    void SetTouchdownPoints(const TOUCHDOWNVTX* tdvtx, DWORD ntdvtx) const;

    // Propellant and thrusters.
    PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0,
                                               double efficiency = 1.0) const;
    THRUSTER_HANDLE CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxth0,
                                   PROPELLANT_HANDLE hp = nullptr, double isp0 = 0.0,
                                   double isp_ref = 0.0, double p_ref = 101.4e3) const;
    void SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const;
    // The thruster list is copied. A group of a type that exists replaces it.
    THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE* th, int nth, THGROUP_TYPE thgt) const;
    // Deletes the group of that type; with delth false its thrusters stay. Deleting a missing
    // group is harmless (false).
    bool DelThrusterGroup(THGROUP_TYPE thgt, bool delth = false) const;
    void SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const;
    UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3& pos,
                    const VECTOR3& dir, SURFHANDLE tex = nullptr) const;
    // The host keeps `pos` by reference for the stream's life: the source point follows it.
    PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE th, const VECTOR3& pos,
                                    PARTICLESTREAMSPEC* pss = nullptr) const;

    // Docking ports, numbered in creation order.
    DOCKHANDLE CreateDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const;
    UINT DockCount() const;
    DOCKHANDLE GetDockHandle(UINT n) const;
    // The vessel docked at the port, or null. The dock handle is read unchecked.
    OBJHANDLE GetDockStatus(DOCKHANDLE hDock) const;
    // 0 when the port is free, 1 when something is docked there.
    UINT DockingStatus(UINT port) const;

    // Attachment points. toparent true: a point by which this vessel hangs on a parent;
    // false: a point on which this vessel carries a child. Parameters come back exactly as set;
    // the identifier keeps 8 characters. Attachment handles given back are read unchecked.
    ATTACHMENTHANDLE CreateAttachment(bool toparent, const VECTOR3& pos, const VECTOR3& dir,
                                      const VECTOR3& rot, const char* id, bool loose = false) const;
    void SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3& pos, const VECTOR3& dir,
                             const VECTOR3& rot) const;
    void GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3& pos, VECTOR3& dir,
                             VECTOR3& rot) const;
    const char* GetAttachmentId(ATTACHMENTHANDLE attachment) const;
    DWORD AttachmentCount(bool toparent) const;
    ATTACHMENTHANDLE GetAttachmentHandle(bool toparent, DWORD i) const;

    // Visuals.
    UINT AddMesh(const char* meshname, const VECTOR3* ofs = nullptr) const;
    void SetMeshVisibilityMode(UINT idx, WORD mode) const;
    void SetCameraOffset(const VECTOR3& co) const;

    // Transponder; channels 0 to 639, another is refused (false).
    void EnableTransponder(bool enable) const;
    bool SetTransponderChannel(DWORD ch) const;

    // State and frames. Global: the frame in which the bodies' centres sit; relative: against
    // another object (vessel or body).
    void GetGlobalPos(VECTOR3& pos) const;
    void GetGlobalVel(VECTOR3& vel) const;
    void GetRelativePos(OBJHANDLE hRef, VECTOR3& pos) const;
    void GetRelativeVel(OBJHANDLE hRef, VECTOR3& vel) const;
    void GetAngularVel(VECTOR3& avel) const;
    void GetStatus(VESSELSTATUS& status) const;
    // Vessel-frame point to a position relative to the reference body.
    void Local2Rel(const VECTOR3& local, VECTOR3& rel) const;
    // Vessel-frame point to the global frame: R local + the vessel's global position.
    void Local2Global(const VECTOR3& local, VECTOR3& global) const;
    // Vessel-frame direction to the global frame (rotation only).
    void GlobalRot(const VECTOR3& rloc, VECTOR3& rglob) const;
    // Global point to the vessel frame.
    void Global2Local(const VECTOR3& global, VECTOR3& local) const;
    // Rotation from the vessel frame to the global frame.
    void GetRotationMatrix(MATRIX3& R) const;
    void SetRotationMatrix(const MATRIX3& R) const;

    // Hands one scenario line to the host's own parser.
    void ParseScenarioLineEx(char* line, void* status) const;

  protected:
    // Set by the constructors: the simulator's own record behind the handle, the flight model
    // asked for, and which of the classes VESSEL to VESSEL4 the object is (Version()).
    Vessel* vessel;
    short flightmodel;
    short version;
};

class QM_HOST_API VESSEL2 : public VESSEL {
  public:
    VESSEL2(OBJHANDLE hVessel, int fmodel = 1);

    virtual void clbkSetClassCaps(FILEHANDLE cfg);
    virtual void clbkSaveState(FILEHANDLE scn);
    virtual void clbkLoadStateEx(FILEHANDLE scn, void* status);
    virtual void clbkSetStateEx(const void* status);
    virtual void clbkPostCreation();
    virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);
    virtual void clbkPreStep(double simt, double simdt, double mjd);
    virtual void clbkPostStep(double simt, double simdt, double mjd);
    virtual bool clbkPlaybackEvent(double simt, double event_t, const char* event_type,
                                   const char* event);
    virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
    virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
    // The simulator no longer calls this one; it draws the HUD through VESSEL3's.
    virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, HDC hDC);
    virtual void clbkRCSMode(int mode);
    virtual void clbkADCtrlMode(DWORD mode);
    virtual void clbkHUDMode(int mode);
    virtual void clbkMFDMode(int mfd, int mode);
    virtual void clbkNavMode(int mode, bool active);
    virtual void clbkDockEvent(int dock, OBJHANDLE mate);
    virtual void clbkAnimate(double simt);
    virtual int clbkConsumeDirectKey(char* kstate);
    virtual int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate);
    virtual bool clbkLoadGenericCockpit();
    virtual bool clbkLoadPanel(int id);
    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf);
    virtual bool clbkLoadVC(int id);
    virtual bool clbkVCMouseEvent(int id, int event, VECTOR3& p);
    virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf);
};

class QM_HOST_API VESSEL3 : public VESSEL2 {
  public:
    VESSEL3(OBJHANDLE hVessel, int fmodel = 1);

    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my, void* context);
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf, void* context);
    virtual int clbkGeneric(int msgid = 0, int prm = 0, void* context = nullptr);
    virtual bool clbkLoadPanel2D(int id, PANELHANDLE hPanel, DWORD viewW, DWORD viewH);
    // Draws the HUD: the base draws the host's default HUD and returns true.
    virtual bool clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp);
    virtual void clbkRenderHUD(int mode, const HUDPAINTSPEC* hps, SURFHANDLE hDefaultTex);
    virtual void clbkGetRadiationForce(const VECTOR3& mflux, VECTOR3& F, VECTOR3& pos);

    // The older overloads stay callable beside the ones added above. These come after the last
    // virtual function on purpose: in the MSVC ABI a using-declaration of a virtual's name placed
    // before the class's own virtual functions moves their vtable slots (clbkDrawHUD from 32 to
    // 28).
    using VESSEL2::clbkDrawHUD;
    using VESSEL2::clbkPanelMouseEvent;
    using VESSEL2::clbkPanelRedrawEvent;
};

class QM_HOST_API VESSEL4 : public VESSEL3 {
  public:
    VESSEL4(OBJHANDLE hVessel, int fmodel = 1);

    virtual int clbkNavProcess(int mode);
};
