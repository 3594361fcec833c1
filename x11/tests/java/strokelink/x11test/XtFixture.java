package strokelink.x11test;

/** The Xt application that stands in for an Xt-based AWT (xt_fixture.cpp). */
final class XtFixture {
  private XtFixture() {}

  static native boolean open();

  static native long display();

  static native long canvasWindow();

  static native long plainWindow();

  static native long plainWindowEventMask();

  static native void pressAndRelease(int keycode);

  static native void sendClientMessage();

  /** Whether the fixture's own handler ends the dispatch of each event. */
  static native void endDispatchInOwnHandler(boolean ends);

  /** Runs the Xt dispatch on this thread until the fixture saw that many more events. */
  static native int dispatch(int events, int timeoutMs);

  /** From now on each dispatch counts the local references it leaves (slow). */
  static native boolean countLocalReferences();

  /** How many local references the last dispatch's event handlers left behind. */
  static native long localReferencesLeaked();

  /** The events the fixture's own handler saw since the last call, e.g. "P38 R38 C". */
  static native String takeSeen();
}
