package strokelink.x11test;

import java.awt.Canvas;
import java.lang.ref.WeakReference;
import wyvra.gui.tessel.keyboard.NativeLibrary;

/**
 * Registration with a null component or handler prints the diagnostic line
 * and does nothing else. Standard output is compared byte for byte by the
 * test driver: the diagnostic lines must come out between the markers, so
 * each is flushed when printed. Failures go to standard error.
 *
 * <p>System property strokelink.library: libstrokelink.so. The JDK's own
 * JAWT is loaded, in headless mode.
 */
public final class NullArgumentTest {
  public static void main(String[] args) throws Exception {
    Canvas component = new Canvas(); // loads AWT's native library
    System.load(System.getProperty("java.home") + "/lib/libjawt.so");
    System.load(System.getProperty("strokelink.library"));

    WeakReference<Object> handler = registerWithNullComponent();
    marker("after null component");
    NativeLibrary.registerKeyEventHandler(component, null);
    marker("after null handler");
    NativeLibrary.registerKeyEventHandler(null, null);
    marker("after both null");
    NativeLibrary.unregisterKeyEventHandler(null, new Object());
    marker("after unregistering a null component");

    if (!Checks.collected(handler)) {
      System.err.println("FAIL: the handler passed with a null component is kept");
      System.exit(1);
    }
  }

  private static WeakReference<Object> registerWithNullComponent() {
    Object handler = new RecordingHandler();
    NativeLibrary.registerKeyEventHandler(null, handler);
    return new WeakReference<>(handler);
  }

  private static void marker(String text) {
    System.out.println(text);
    System.out.flush();
  }
}
