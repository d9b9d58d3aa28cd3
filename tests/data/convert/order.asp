<%@ Language=VBScript %>
<% Response.ContentType = "text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="order" title="Order">
    <p align="left">
      Item: <%= Request.QueryString("item") %><br/>
      <SCRIPT LANGUAGE=VBScript RUNAT=Server>
        Dim total
        total = Session("total")
      </SCRIPT>
      Total: <%= total %> EUR
    </p>
    <p>
      <SCRIPT LANGUAGE="JavaScript">var x = 1;</SCRIPT>
      Thanks &amp; goodbye
    </p>
  </card>
</wml>
