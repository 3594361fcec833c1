package strokelink.testhandlers;

/** Has no "notifyKeyPressed" at all. */
public class ReleaseOnlyHandler extends EventLog {
  public void notifyKeyReleased(short code) {
    record("R", code);
  }
}
