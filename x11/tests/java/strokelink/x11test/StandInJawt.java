package strokelink.x11test;

import java.awt.Component;

/** Controls the test's own libjawt.so (stand_in_jawt.cpp). */
final class StandInJawt {
  private StandInJawt() {}

  /** From now on JAWT gives the component a surface on this display and drawable. */
  static native boolean bind(Component component, long display, long drawable);

  static native long surfacesLookedUp();

  /** Surfaces, locks and surface infos handed out and not yet given back. */
  static native long outstanding();
}
