// The host's vessel interface: VESSEL, through which a module reads and changes its vessel in the
// simulation, and VESSEL2, whose virtual callbacks the host calls on the module's vessel object.
// The host implements every non-virtual member and the base behaviour of each callback; a module
// resolves them against the host at load time.
#pragma once

#include "host/HostTypes.h"

class QM_HOST_API VESSEL {
  public:
    VESSEL(OBJHANDLE hVessel, int flightModel = 1);
    virtual ~VESSEL();

    OBJHANDLE GetHandle() const;
    char* GetName() const;
    const char* GetClassNameA() const;

    // Physical definition.
    void SetSize(double size) const;
    void SetEmptyMass(double emptyMass) const;
    // Drag coefficients for +z, -z, x and y.
    void SetCW(double cwZPositive, double cwZNegative, double cwX, double cwY) const;
    void SetCrossSections(const VECTOR3& cs) const;
    void SetRotDrag(const VECTOR3& rd) const;
    void SetPitchMomentScale(double scale) const;
    void SetBankMomentScale(double scale) const;
    // Principal moments of inertia per unit mass, m^2.
    void SetPMI(const VECTOR3& pmi) const;

    // Propellant and thrusters.
    PROPELLANT_HANDLE CreatePropellantResource(double maxMass, double mass = -1.0,
                                               double efficiency = 1.0) const;
    THRUSTER_HANDLE CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxThrust,
                                   PROPELLANT_HANDLE propellant = nullptr, double isp = 0.0,
                                   double ispRef = 0.0, double pRef = 101.4e3) const;
    void SetThrusterMax0(THRUSTER_HANDLE thruster, double maxThrust) const;
    // The thruster list is copied. A group of a type that exists replaces it.
    THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE* thrusters, int count,
                                       THGROUP_TYPE type) const;
    // Deletes the group of that type; with deleteThrusters false its thrusters stay. Deleting a
    // missing group is harmless (false).
    bool DelThrusterGroup(THGROUP_TYPE type, bool deleteThrusters = false) const;
    void SetThrusterGroupLevel(THGROUP_TYPE type, double level) const;
    unsigned int AddExhaust(THRUSTER_HANDLE thruster, double lengthScale, double widthScale,
                            const VECTOR3& pos, const VECTOR3& dir,
                            SURFHANDLE texture = nullptr) const;
    // The host keeps `pos` by reference for the stream's life: the source point follows it.
    PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE thruster, const VECTOR3& pos,
                                    PARTICLESTREAMSPEC* description = nullptr) const;

    // Docking ports, numbered in creation order.
    DOCKHANDLE CreateDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const;
    unsigned int DockCount() const;
    DOCKHANDLE GetDockHandle(unsigned int port) const;
    // The vessel docked at the port, or null.
    OBJHANDLE GetDockStatus(DOCKHANDLE dock) const;
    // 0 when the port is free, 1 when something is docked there.
    unsigned int DockingStatus(unsigned int port) const;

    // Attachment points. toParent true: a point by which this vessel hangs on a parent;
    // false: a point on which this vessel carries a child. Parameters come back exactly as set.
    ATTACHMENTHANDLE CreateAttachment(bool toParent, const VECTOR3& pos, const VECTOR3& dir,
                                      const VECTOR3& rot, const char* id, bool loose = false) const;
    void SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3& pos, const VECTOR3& dir,
                             const VECTOR3& rot) const;
    void GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3& pos, VECTOR3& dir,
                             VECTOR3& rot) const;
    DWORD AttachmentCount(bool toParent) const;
    ATTACHMENTHANDLE GetAttachmentHandle(bool toParent, DWORD index) const;
    const char* GetAttachmentId(ATTACHMENTHANDLE attachment) const;

    // Visuals.
    unsigned int AddMesh(const char* meshName, const VECTOR3* offset = nullptr) const;
    void SetMeshVisibilityMode(unsigned int meshIndex, unsigned short mode) const;
    void SetCameraOffset(const VECTOR3& offset) const;

    // Transponder.
    bool EnableTransponder(bool enable) const;
    bool SetTransponderChannel(unsigned int channel) const;

    // State and frames.
    void GetAngularVel(VECTOR3& angularVelocity) const;
    void GetStatus(VESSELSTATUS& status) const;
    // Vessel-frame point to a position relative to the reference body.
    void Local2Rel(const VECTOR3& local, VECTOR3& rel) const;
    // Vessel-frame direction to the global frame (rotation only).
    void GlobalRot(const VECTOR3& local, VECTOR3& global) const;
    // Global point to the vessel frame.
    void Global2Local(const VECTOR3& global, VECTOR3& local) const;
    // Rotation from the vessel frame to the global frame.
    void GetRotationMatrix(MATRIX3& rotation) const;
    void SetRotationMatrix(const MATRIX3& rotation) const;

    // Hands one scenario line to the host's own parser.
    void ParseScenarioLineEx(char* line, void* status) const;

  private:
    OBJHANDLE handle_;
    int flightModel_;
};

class QM_HOST_API VESSEL2 : public VESSEL {
  public:
    VESSEL2(OBJHANDLE hVessel, int flightModel = 1);

    virtual void clbkSetClassCaps(FILEHANDLE cfg);
    virtual void clbkSaveState(FILEHANDLE scn);
    virtual void clbkLoadStateEx(FILEHANDLE scn, void* status);
    virtual void clbkSetStateEx(const void* status);
    virtual void clbkPostCreation();
    virtual void clbkFocusChanged(bool getFocus, OBJHANDLE newVessel, OBJHANDLE oldVessel);
    virtual void clbkPreStep(double simt, double simdt, double mjd);
    virtual void clbkPostStep(double simt, double simdt, double mjd);
    virtual bool clbkPlaybackEvent(double simt, double eventT, const char* eventType,
                                   const char* event);
    virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
    virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
    virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, HDC hdc);
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
