package strokelink.testhandlers;

/** Brings the AWT native library into the VM the way an application does. */
public final class AwtLoader {
  private AwtLoader() {}

  public static void load() {
    java.awt.Toolkit.getDefaultToolkit();
  }
}
