package wyvra.gui.tessel.keyboard;

import java.awt.Component;

/** The Java side of libstrokelink as the tests use it. */
public final class NativeLibrary {
  private NativeLibrary() {}

  public static native void registerKeyEventHandler(Component component, Object handler);

  public static native void unregisterKeyEventHandler(Component component, Object handler);
}
